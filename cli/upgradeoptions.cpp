#include "upgradeoptions.h"

#include "snpdurations.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const char *const HelpText = R"(Usage: snp300-upgrade [options] PORT...
       snp300-upgrade --list-ports

Upgrades the firmware of the SNP300 on each serial port named, several side by side, as the
SNP300 Upgrader window does: it reads the device's versions, updates the bootloader first where
the device needs it, and programs the newest image of the firmware server (downloaded once for
all devices) or the image given. Every image is checked whole before a device is erased. It asks
before it starts, unless --yes is given.

Options:
  --list-ports           List the serial ports: name, description, manufacturer, serial
                         number, USB vendor and product id.
  -y, --yes              Start without asking. Needed when standard input is not a terminal.
  --json                 Print one JSON object per line on standard output and nothing else:
                         {"event": "log"|"progress"|"result", "port": ...}. The last object
                         of each device is its result.
  --image FILE           Program FILE instead of the server's image.
  --server URL           The firmware server for this run (scheme, host and port), in place
                         of the configured one.
  --silence-limit SECONDS
                         Give a device up when it answers nothing for this long during its
                         upgrade (default %1 s); its result is then "interrupted".
  -h, --help             Show this help.
  -V, --version          Show the version.

Results (the "result" of each device):
  completed              the application firmware is programmed and running
  bootloader-updated     the bootloader is programmed: restart the SNP300, then run again
  up-to-date             the device already has the newest firmware
  refused                the image is damaged or unreadable; nothing was sent
  failed                 the upgrade could not start (port, device, server, not confirmed)
  interrupted            stopped during the upgrade (Ctrl+C, the device silent or gone)

Exit status:
  0   every device completed (or completed and was up to date)
  1   a device was refused, failed or was interrupted
  2   every device was already up to date
  3   a bootloader was updated and no device failed: restart the devices, run again
  64  a command line it cannot use, or no terminal to ask on and no --yes

Ctrl+C (or SIGTERM) before programming stops at once. During programming the first one says
what stopping costs, and a second within 5 s stops: each port is closed properly and the
upgrade is recorded as interrupted.

Environment:
  SNP300_FIRMWARE_SERVER the firmware server, as --server
  SNP300_SERIAL_PORTS    extra ports for --list-ports, separated like PATH entries

Files (in the Documents folder):
  Corvane/SNP300 Upgrader/Logs/   this run's log file, every line with its port
  Corvane/SNP300 Upgrader/History.csv   one row per upgrade that reached a device
  test_*.quenmarksnpfmr   a local test image, taken instead of the server's
)";

} // namespace

QString UpgradeOptions::helpText()
{
    return QString::fromUtf8(HelpText).arg(SnpDurations::DeviceGiveUpMs / 1000);
}

bool UpgradeOptions::fail(const QString &message)
{
    m_errorString = message + QStringLiteral("\nTry 'snp300-upgrade --help' for more.");
    return false;
}

bool UpgradeOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QString());
    const QCommandLineOption version({ QStringLiteral("V"), QStringLiteral("version") }, QString());
    const QCommandLineOption listPorts(QStringLiteral("list-ports"), QString());
    const QCommandLineOption yes({ QStringLiteral("y"), QStringLiteral("yes") }, QString());
    const QCommandLineOption json(QStringLiteral("json"), QString());
    const QCommandLineOption image(QStringLiteral("image"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption server(QStringLiteral("server"), QString(), QStringLiteral("URL"));
    const QCommandLineOption silence(QStringLiteral("silence-limit"), QString(),
                                     QStringLiteral("SECONDS"));
    parser.addOptions({ help, version, listPorts, yes, json, image, server, silence });
    if (!parser.parse(arguments))
        return fail(parser.errorText());

    m_assumeYes = parser.isSet(yes);
    m_json = parser.isSet(json);
    m_ports = parser.positionalArguments();
    if (parser.isSet(help)) {
        m_action = Action::Help;
        return true;
    }
    if (parser.isSet(version)) {
        m_action = Action::Version;
        return true;
    }
    if (parser.isSet(listPorts)) {
        m_action = Action::ListPorts;
        if (!m_ports.isEmpty())
            return fail(QStringLiteral("--list-ports takes no port."));
        return true;
    }

    m_action = Action::Upgrade;
    if (m_ports.isEmpty())
        return fail(QStringLiteral("Name the serial port of each SNP300 to upgrade "
                                   "(snp300-upgrade --list-ports lists them)."));
    for (int i = 0; i < m_ports.size(); ++i) {
        if (m_ports.indexOf(m_ports.at(i), i + 1) > i)
            return fail(QStringLiteral("The port %1 is named twice.").arg(m_ports.at(i)));
    }

    if (parser.isSet(image)) {
        // Taken relative to where the command was given, before anything changes folders.
        const QFileInfo file(parser.value(image));
        if (!file.isFile())
            return fail(QStringLiteral("The image %1 is not a file that exists.")
                            .arg(QDir::toNativeSeparators(file.filePath())));
        m_imagePath = file.absoluteFilePath();
    }

    if (parser.isSet(server)) {
        m_serverUrl = parser.value(server);
        const QUrl url(m_serverUrl, QUrl::StrictMode);
        const QString scheme = url.scheme();
        if (!url.isValid() || url.host().isEmpty()
            || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
            return fail(QStringLiteral("--server needs an http:// or https:// URL with a host, "
                                       "such as https://firmware.example.com, not '%1'.")
                            .arg(m_serverUrl));
    }

    m_silenceLimitMs = SnpDurations::DeviceGiveUpMs;
    if (parser.isSet(silence)) {
        bool ok = false;
        const int seconds = parser.value(silence).toInt(&ok);
        if (!ok || seconds < 1 || seconds > 3600)
            return fail(QStringLiteral("--silence-limit needs a number of seconds from 1 to "
                                       "3600, not '%1'.")
                            .arg(parser.value(silence)));
        m_silenceLimitMs = seconds * 1000;
    }
    return true;
}

#include "upgradecommand.h"

#include "consoleterminal.h"
#include "cvcrunlog.h"
#include "cvttranslationloader.h"
#include "exitstatus.h"
#include "interruptguard.h"
#include "logengine.h"
#include "portlisting.h"
#include "serverconfig.h"
#include "snpversion.h"
#include "upgradeoptions.h"
#include "upgradereporter.h"
#include "upgradestation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

namespace UpgradeCommand {

namespace {

using Stream = ConsoleTerminal::Stream;

void tell(Stream stream, const QString &text)
{
    ConsoleTerminal::write(stream, text.toUtf8());
}

int upgrade(const UpgradeOptions &options)
{
    // The window's record: the same log folder, the same History.csv.
    cvc::LogEngine logEngine;
    QDir dataDir;
    if (!CvcRunLog::open(&dataDir, QStringLiteral(SNP_VERSION)))
        tell(Stream::Error,
             QStringLiteral("snp300-upgrade: the data folder %1 cannot be created: this run is "
                            "recorded in no log file and in no History.csv.\n")
                 .arg(QDir::toNativeSeparators(CvcRunLog::dataFolderPath())));
    ServerConfig::useSystemProxy();

    const UpgradeReporter::Mode mode = options.json() ? UpgradeReporter::Mode::Json
        : ConsoleTerminal::isTerminal(Stream::Output) ? UpgradeReporter::Mode::Terminal
                                                      : UpgradeReporter::Mode::Plain;
    UpgradeReporter reporter(mode);
    UpgradeStation station(options, &reporter);
    InterruptGuard guard;
    QObject::connect(&guard, &InterruptGuard::interruptRequested, &station,
                     &UpgradeStation::interrupt);
    QObject::connect(
        &station, &UpgradeStation::finished, QCoreApplication::instance(),
        [](int status) { QCoreApplication::exit(status); }, Qt::QueuedConnection);
    station.start();
    const int status = station.hasFinished() ? station.exitStatus() : QCoreApplication::exec();
    guard.release();
    return status;
}

} // namespace

int run(const QStringList &arguments)
{
    ConsoleTerminal::prepare();
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("SNP300 Upgrader"));

    UpgradeOptions options;
    if (!options.parse(arguments)) {
        tell(Stream::Error, QStringLiteral("snp300-upgrade: %1\n").arg(options.errorString()));
        return ExitStatus::Usage;
    }
    switch (options.action()) {
    case UpgradeOptions::Action::Help:
        tell(Stream::Output, UpgradeOptions::helpText());
        return ExitStatus::Success;
    case UpgradeOptions::Action::Version:
        tell(Stream::Output, QStringLiteral("snp300-upgrade %1\n").arg(QLatin1String(SNP_VERSION)));
        return ExitStatus::Success;
    case UpgradeOptions::Action::ListPorts: {
        const QList<PortListing::Port> ports = PortListing::ports();
        tell(Stream::Output, options.json() ? PortListing::json(ports) : PortListing::table(ports));
        return ExitStatus::Success;
    }
    case UpgradeOptions::Action::Upgrade:
        break;
    }

    // Nobody can be asked: a fixture that means it says so with --yes.
    if (!options.assumeYes() && !ConsoleTerminal::isTerminal(Stream::Input)) {
        tell(Stream::Error,
             QStringLiteral("snp300-upgrade: not started: standard input is not a terminal, so "
                            "nobody can confirm the upgrade. Give --yes to start it without "
                            "asking.\n"));
        return ExitStatus::Usage;
    }
    if (!options.serverUrl().isEmpty())
        qputenv("SNP300_FIRMWARE_SERVER", options.serverUrl().toUtf8());

    // The texts the window shares (its confirmation, its device messages) in the operator's
    // language.
    CvtTranslationLoader translations;
    translations.install(CvtTranslationLoader::chooseLanguage(QLocale::system().uiLanguages()));
    return upgrade(options);
}

} // namespace UpgradeCommand

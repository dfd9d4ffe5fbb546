#include "upgradestation.h"

#include "deviceupgrade.h"
#include "exitstatus.h"
#include "logger.h"
#include "serverconfig.h"
#include "snpdurations.h"
#include "snpprotocol.h"
#include "upgradeconfirmation.h"
#include "upgradereporter.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>

#include <algorithm>

namespace {

using Result = DeviceOutcome::Result;

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// The window's line when no upgrade can start for want of the server or of a newer image.
const char *const NothingToStart = "Server not available or firmware already up to date";

} // namespace

UpgradeStation::UpgradeStation(const UpgradeOptions &options, UpgradeReporter *reporter,
                               QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_reporter(reporter)
{
    m_secondInterrupt.setSingleShot(true);
    connect(&m_secondInterrupt, &QTimer::timeout, this, [this] {
        if (!m_finished)
            m_reporter->notice(QStringLiteral("Not stopped: the upgrade goes on."));
    });
    connect(&m_server, &FirmwareServerClient::listed, this, &UpgradeStation::onListed);
    connect(&m_server, &FirmwareServerClient::stored, this, &UpgradeStation::onStored);
    connect(&m_server, &FirmwareServerClient::failed, this, [this](const QString &cause) {
        if (m_phase == Phase::AskingServer)
            onListFailed(cause);
        else if (m_phase == Phase::Downloading)
            onDownloadFailed(cause);
    });
    connect(&m_question, &TerminalQuestion::answered, this, &UpgradeStation::onConfirmed);
}

UpgradeStation::~UpgradeStation() = default;

void UpgradeStation::start()
{
    m_reporter->setPorts(m_options.ports());
    for (const QString &port : m_options.ports()) {
        auto *device = new DeviceUpgrade(port, m_options.silenceLimitMs(), this);
        connect(device, &DeviceUpgrade::logLine, this,
                [this](const QString &port, const QString &message, cvc::LogLevel level) {
                    m_reporter->log(port, message, level);
                });
        connect(device, &DeviceUpgrade::progressChanged, this,
                [this](const QString &port, int value, int maximum, const QString &format) {
                    m_reporter->progress(port, value, maximum, format);
                });
        connect(device, &DeviceUpgrade::versionsRead, this, &UpgradeStation::onVersionsRead);
        connect(device, &DeviceUpgrade::ended, this, &UpgradeStation::onDeviceEnded);
        m_devices << device;
    }
    // The server is asked once, before any port opens: every engine is handed the newest
    // bootloader version from this one answer.
    m_phase = Phase::AskingServer;
    m_server.setEndpoint(ServerConfig::endpoint());
    cvc::Logger::log(cvc::Info,
                     QStringLiteral("Asking the firmware server %1 for its images.")
                         .arg(m_server.endpoint().toDisplayString()));
    m_server.fetchList();
}

void UpgradeStation::onListed(const FirmwareCatalogue &catalogue)
{
    if (m_finished || m_phase != Phase::AskingServer)
        return;
    m_listed = true;
    m_catalogue = catalogue;
    openPorts();
}

void UpgradeStation::onListFailed(const QString &cause)
{
    if (m_finished)
        return;
    m_serverCause = cause;
    m_reporter->notice(QStringLiteral("The firmware server gave no list of images: %1").arg(cause),
                       cvc::Warning);
    openPorts();
}

void UpgradeStation::openPorts()
{
    m_phase = Phase::ReadingVersions;
    const QString newestBootloader
        = m_listed ? m_catalogue.newestVersion(ImageKind::Bootloader) : QString();
    for (DeviceUpgrade *device : qAsConst(m_devices)) {
        if (!device->hasEnded())
            device->open([newestBootloader] { return newestBootloader; });
    }
    onVersionsRead();
}

void UpgradeStation::onVersionsRead()
{
    if (m_phase != Phase::ReadingVersions)
        return;
    const bool allKnown
        = std::all_of(m_devices.cbegin(), m_devices.cend(), [](const DeviceUpgrade *device) {
              return device->hasVersions() || device->hasEnded();
          });
    if (allKnown)
        decide();
}

void UpgradeStation::onDeviceEnded(const QString &port)
{
    for (DeviceUpgrade *device : qAsConst(m_devices)) {
        if (device->port() == port)
            m_reporter->result(port, device->outcome());
    }
    m_plans.remove(port);
    if (m_phase == Phase::ReadingVersions)
        onVersionsRead();
    finishIfDone();
}

// The test image rule of the window: the first test_*.quenmarksnpfmr in Documents, by name.
QString UpgradeStation::localImage() const
{
    const QString folder = documentsFolder();
    QStringList testImages = QDir(folder).entryList(
        QStringList(QCoreApplication::translate("SNPUpgrader", "test_*.%1")
                        .arg(QLatin1String(SnpProtocol::FirmwareServiceId))),
        QDir::Files, QDir::Name);
    if (testImages.isEmpty())
        return QString();
    std::sort(testImages.begin(), testImages.end());
    return QCoreApplication::translate("SNPUpgrader", "%1/%2").arg(folder, testImages.first());
}

void UpgradeStation::decide()
{
    m_phase = Phase::Confirming;
    const QString testImage = m_options.imagePath().isEmpty() ? localImage() : QString();
    for (DeviceUpgrade *device : devicesWaiting()) {
        const Snp300Session &session = device->session();
        Plan plan;
        plan.kind
            = session.bootloaderUpdateNeeded() ? ImageKind::Bootloader : ImageKind::Application;
        const QString deviceVersion = plan.kind == ImageKind::Bootloader
            ? session.bootloaderVersion()
            : session.appVersion();
        plan.availableVersion = m_catalogue.newestVersion(plan.kind);
        const QString newest = m_catalogue.newest(plan.kind);

        if (!m_options.imagePath().isEmpty()) {
            plan.imagePath = m_options.imagePath();
        } else if (!m_listed || newest.isEmpty()) {
            const QString cause = !m_listed
                ? m_serverCause
                : QStringLiteral("the firmware server lists no image of %1 (%2)")
                      .arg(FirmwareCatalogue::kindText(plan.kind),
                           FirmwareCatalogue::serviceId(plan.kind));
            m_reporter->log(device->port(), QString::fromLatin1(NothingToStart), cvc::Warning);
            device->finish(Result::Failed, cause);
            continue;
        } else if (!testImage.isEmpty()) {
            plan.imagePath = testImage;
        } else if (!m_catalogue.offersNewer(plan.kind, deviceVersion)) {
            if (plan.kind == ImageKind::Bootloader) {
                device->finish(Result::Failed,
                               QStringLiteral("the bootloader %1 must be updated before the "
                                              "firmware, and the server offers none newer than %2")
                                   .arg(deviceVersion, plan.availableVersion));
            } else {
                m_reporter->log(
                    device->port(),
                    QStringLiteral("The SNP300 has the newest firmware (%1).").arg(deviceVersion),
                    cvc::Info);
                device->finish(Result::UpToDate, QString());
            }
            continue;
        } else {
            plan.serverName = newest;
            if (!m_downloads.contains(newest))
                m_downloads << newest;
        }
        if (plan.availableVersion.isEmpty())
            plan.availableVersion = QFileInfo(plan.imagePath).fileName();
        m_plans.insert(device->port(), plan);
    }
    if (m_finished || m_plans.isEmpty())
        return;
    confirm();
}

void UpgradeStation::confirm()
{
    if (m_options.assumeYes()) {
        onConfirmed(true);
        return;
    }
    // Devices with the same versions share one text.
    QMap<QString, QStringList> texts;
    for (DeviceUpgrade *device : devicesWaiting()) {
        if (!m_plans.contains(device->port()))
            continue;
        const Plan &plan = m_plans[device->port()];
        const Snp300Session &session = device->session();
        texts[UpgradeConfirmation::text(true, plan.kind == ImageKind::Bootloader,
                                        session.appVersion(), session.bootloaderVersion(),
                                        plan.availableVersion)]
            << device->port();
    }
    QString question;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        question += it.value().join(QStringLiteral(", ")) + QLatin1String(":\n") + it.key()
            + QLatin1Char('\n');
    question += m_plans.size() == 1
        ? QStringLiteral("Start the upgrade? [y/N] ")
        : QStringLiteral("Start the upgrade of %1 devices? [y/N] ").arg(m_plans.size());
    m_question.ask(question);
}

void UpgradeStation::onConfirmed(bool yes)
{
    if (m_finished || m_phase != Phase::Confirming)
        return;
    if (!yes) {
        for (DeviceUpgrade *device : devicesWaiting()) {
            if (m_plans.contains(device->port()))
                device->finish(Result::Failed, QStringLiteral("the upgrade was not confirmed"));
        }
        return;
    }
    m_phase = Phase::Downloading;
    downloadNext();
}

void UpgradeStation::downloadNext()
{
    if (m_finished)
        return;
    // Only images that a device still waits for.
    while (!m_downloads.isEmpty()) {
        m_downloading = m_downloads.takeFirst();
        const bool wanted = std::any_of(m_plans.cbegin(), m_plans.cend(), [this](const Plan &plan) {
            return plan.serverName == m_downloading;
        });
        if (!wanted)
            continue;
        cvc::Logger::log(
            cvc::Info,
            QStringLiteral("Downloading %1 from the firmware server.").arg(m_downloading));
        m_server.fetchImage(m_downloading, documentsFolder());
        return;
    }
    startUpgrades();
}

void UpgradeStation::onStored(const QString &name, const QString &path)
{
    if (m_finished || m_phase != Phase::Downloading)
        return;
    for (Plan &plan : m_plans) {
        if (plan.serverName == name)
            plan.imagePath = path;
    }
    downloadNext();
}

void UpgradeStation::onDownloadFailed(const QString &cause)
{
    if (m_finished)
        return;
    for (DeviceUpgrade *device : devicesWaiting()) {
        const auto plan = m_plans.constFind(device->port());
        if (plan == m_plans.cend() || plan->serverName != m_downloading)
            continue;
        m_reporter->log(device->port(), cause, cvc::Warning);
        device->finish(Result::Failed, cause);
    }
    downloadNext();
}

void UpgradeStation::startUpgrades()
{
    m_phase = Phase::Upgrading;
    for (DeviceUpgrade *device : devicesWaiting()) {
        const auto plan = m_plans.constFind(device->port());
        if (plan == m_plans.cend())
            continue;
        device->start(plan->imagePath, sha256Of(plan->imagePath));
    }
}

QByteArray UpgradeStation::sha256Of(const QString &path)
{
    const auto known = m_sha256.constFind(path);
    if (known != m_sha256.cend())
        return *known;
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QByteArray sha256 = file.open(QIODevice::ReadOnly) && hash.addData(&file)
        ? hash.result().toHex()
        : QByteArray();
    m_sha256.insert(path, sha256);
    return sha256;
}

void UpgradeStation::interrupt(InterruptGuard::Kind kind)
{
    if (m_finished)
        return;
    QStringList programming;
    for (const DeviceUpgrade *device : qAsConst(m_devices)) {
        if (device->isUpgrading())
            programming << device->port();
    }
    if (programming.isEmpty()) {
        m_reporter->notice(QStringLiteral("Stopped before any upgrade started."), cvc::Warning);
        stopAll(QStringLiteral("stopped by the operator before the upgrade started"));
        return;
    }
    if (kind == InterruptGuard::Kind::Closing || m_secondInterrupt.isActive()) {
        m_secondInterrupt.stop();
        m_reporter->notice(QStringLiteral("Stopping: every port is closed and the upgrades are "
                                          "recorded as interrupted."),
                           cvc::Warning);
        stopAll(QStringLiteral("stopped by the operator during the upgrade: the SNP300 has no "
                               "working firmware until it is upgraded again"));
        return;
    }
    m_reporter->notice(
        QStringLiteral("Stopping now leaves the SNP300 on %1 without working firmware until it "
                       "is upgraded again. Press Ctrl+C again within %2 s to stop; otherwise the "
                       "upgrade goes on.")
            .arg(programming.join(QStringLiteral(", ")))
            .arg(SnpDurations::InterruptConfirmMs / 1000),
        cvc::Warning);
    m_secondInterrupt.start(SnpDurations::InterruptConfirmMs);
}

// The devices first: once every one has ended, the station is done, and the server request it
// then aborts can start nothing more.
void UpgradeStation::stopAll(const QString &cause)
{
    for (DeviceUpgrade *device : devicesWaiting())
        device->stop(cause);
    finishIfDone();
}

QList<DeviceUpgrade *> UpgradeStation::devicesWaiting() const
{
    QList<DeviceUpgrade *> waiting;
    for (DeviceUpgrade *device : m_devices) {
        if (!device->hasEnded())
            waiting << device;
    }
    return waiting;
}

void UpgradeStation::finishIfDone()
{
    if (m_finished || m_devices.isEmpty() || !devicesWaiting().isEmpty())
        return;
    m_finished = true;
    m_phase = Phase::Done;
    m_secondInterrupt.stop();
    m_server.abort();
    QList<DeviceOutcome::Result> results;
    for (const DeviceUpgrade *device : qAsConst(m_devices))
        results << device->outcome().result;
    m_exitStatus = ExitStatus::forResults(results);
    emit finished(m_exitStatus);
}

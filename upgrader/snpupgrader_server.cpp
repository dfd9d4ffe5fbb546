// The firmware-server client: the list of released images, the choice of the newest image of a
// kind, and its download into the Documents folder. Callers see one synchronous call; inside it
// the program waits for each reply in a nested event loop.

#include "boundedreply.h"
#include "cvtwaitforsignalhelper.h"
#include "downloadprogressbar.h"
#include "firmwarecatalogue.h"
#include "firmwareserverclient.h"
#include "imagestore.h"
#include "servercause.h"
#include "serverconfig.h"
#include "snp300session.h"
#include "snpdurations.h"
#include "snpprotocol.h"
#include "snpupgrader.h"
#include "ui_snpupgrader.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <memory>

namespace {

using SnpDurations::DownloadWaitMs;
using SnpDurations::ListWaitMs;

QString serverText()
{
    return ServerConfig::baseUrl();
}

} // namespace

QString SNPUpgrader::childElementText(const QDomNode &node, const QString &tagName)
{
    return FirmwareCatalogue::childElementText(node, tagName);
}

QString SNPUpgrader::queryFirmwareServer(bool bootloader, QString *availableVersion, bool download)
{
    m_replyText = QString();

    QNetworkRequest request;
    QString cause;
    if (!FirmwareServerClient::prepareRequest(ServerConfig::endpoint(), &request, &cause)) {
        appendLog(cause, cvc::Error);
        return QLatin1String(SnpProtocol::NoRequestResponse);
    }
    // One manager serves both requests of this call. It goes when the call ends, with its
    // replies (a late one would be ignored anyway) and its network thread, so that a window
    // that stays open all day does not gather a thread per query.
    auto *manager = new QNetworkAccessManager(this);
    const auto releaseManager = qScopeGuard([guarded = QPointer<QNetworkAccessManager>(manager)] {
        if (guarded)
            guarded->deleteLater();
    });
    connect(manager, &QNetworkAccessManager::finished, this, &SNPUpgrader::replyUrlRequestFinished);

    m_requestKind = ListRequest;
    QNetworkReply *listReply = manager->post(request, FirmwareServerClient::listForm());
    switch (awaitReply(listReply, ListRequest, ListWaitMs)) {
    case ReplyWaits::Outcome::Answered:
        break;
    case ReplyWaits::Outcome::Refused: // a reply that cannot be read, told as it was refused
        return QString();
    case ReplyWaits::Outcome::Pending: // a wait returns only once it has ended
    case ReplyWaits::Outcome::Unanswered:
        return QLatin1String(SnpProtocol::NoRequestResponse);
    }

    FirmwareCatalogue catalogue;
    if (!catalogue.read(m_replyText)) {
        appendLog(ServerCause::ofUnreadableList(serverText(), catalogue.errorString()), cvc::Error);
        return QString();
    }
    const ImageKind kind = bootloader ? ImageKind::Bootloader : ImageKind::Application;
    const QString chosen = catalogue.newest(kind);
    if (chosen.isEmpty())
        return QString();
    const QString newestVersion = catalogue.newestVersion(kind);
    if (!newestVersion.isEmpty())
        *availableVersion = newestVersion;
    if (!catalogue.offersNewer(
            kind, bootloader ? m_session->bootloaderVersion() : m_session->appVersion()))
        return QString();
    if (!download)
        return chosen;

    m_requestKind = DownloadRequest;
    QNetworkReply *downloadReply
        = manager->post(request, FirmwareServerClient::downloadForm(chosen));
    if (awaitReply(downloadReply, DownloadRequest, DownloadWaitMs, chosen)
            != ReplyWaits::Outcome::Answered
        || m_downloadData.isEmpty())
        return QString();
    return storeDownload(chosen);
}

// Stores the downloaded image so that its path never names a partial file (see ImageStore). A
// failure is told with its real cause and what the operator can do.
QString SNPUpgrader::storeDownload(const QString &fileName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    //: A file path: %1 is a folder, %2 a file name. Keep it exactly as it is.
    const QString path = tr("%1/%2").arg(folder, fileName);
    ImageStore store;
    if (!store.store(path, m_downloadData)) {
        m_downloadNotStored = true;
        appendLog(QStringLiteral("Cannot store the downloaded image %1 (%2). The upgrade was not "
                                 "started: make room in %3 or make it writable, then press "
                                 "Upgrade SNP300... again.")
                      .arg(QDir::toNativeSeparators(path), store.errorString(),
                           QDir::toNativeSeparators(folder)),
                  cvc::Error);
        return QString();
    }
    return path;
}

// Waits for reply, the request of the given kind just posted, at most timeoutMs. The signal names
// no request, and waits nest: a reconnect or a version answer may query the server while this
// wait runs, and the replies of those queries end the nested loop too. So only this request's
// own reply ends the wait (see ReplyWaits), and on success the buffer of its kind holds this
// reply's body, whatever a nested query has put there since. The reply is read as it arrives,
// up to the bound of its kind; one that passes it ends the wait at once, told in the log box.
ReplyWaits::Outcome SNPUpgrader::awaitReply(QNetworkReply *reply, RequestKind kind, int timeoutMs,
                                            const QString &fileName)
{
    ReplyWaits::Wait wait(m_replyWaits, reply,
                          kind == ListRequest ? BoundedReply::ListBoundBytes
                                              : BoundedReply::ImageBoundBytes);
    BoundedReply &body = wait.body();
    const QString requested = kind == ListRequest ? QString() : fileName;
    connect(&body, &BoundedReply::refused, this, [this, &body, requested] {
        appendLog(ServerCause::ofBound(body, serverText(), requested), cvc::Error);
    });
    // The operator sees that a download runs, and how far it is.
    std::unique_ptr<DownloadProgressBar> progress;
    if (kind == DownloadRequest) {
        progress = std::make_unique<DownloadProgressBar>(ui->usbProgressBar, fileName);
        connect(&body, &BoundedReply::progress, this,
                [&progress](qint64 received, qint64 total) { progress->show(received, total); });
    }

    // The operator sees that the program waits, whichever way the wait ends.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });

    const QPointer<QNetworkReply> guardedReply(reply);
    const QDeadlineTimer deadline(timeoutMs);
    while (wait.outcome() == ReplyWaits::Outcome::Pending) {
        if (deadline.hasExpired()) {
            wait.giveUp();
            break;
        }
        // Counts the signals of this wait: a wait that ends without one and without its time-out
        // was ended by the application quitting, which is no answer.
        int emitted = 0;
        const QMetaObject::Connection counter
            = connect(this, &SNPUpgrader::phpDownloadFinished, this, [&emitted] { ++emitted; });
        CvtWaitForSignalHelper helper(this, SIGNAL(phpDownloadFinished()));
        // A refused reply ends the wait as its time-out would, only sooner.
        connect(&body, &BoundedReply::refused, &helper, &CvtWaitForSignalHelper::timeout);
        const bool signalled = helper.wait(int(qMax<qint64>(1, deadline.remainingTime())));
        disconnect(counter);
        if (!signalled || emitted == 0)
            wait.giveUp();
    }
    if (wait.outcome() == ReplyWaits::Outcome::Unanswered) {
        // The operator learns why before anything blames the server in general words.
        if (guardedReply && guardedReply->isFinished()
            && guardedReply->error() != QNetworkReply::NoError)
            appendLog(
                ServerCause::ofReply(*guardedReply, body.sslErrors(), serverText(), requested),
                cvc::Error);
        else if (deadline.hasExpired())
            appendLog(ServerCause::ofSilence(serverText(), requested, timeoutMs), cvc::Error);
    }
    if (wait.outcome() != ReplyWaits::Outcome::Answered)
        return wait.outcome();
    // The reply is handed to the buffer of its kind only now, when its own wait returns.
    if (kind == ListRequest)
        m_replyText = QString::fromUtf8(wait.takeBrought());
    else
        m_downloadData = wait.takeBrought();
    return ReplyWaits::Outcome::Answered;
}

// The reply is kept once, by the wait that waits for it, and not stored in m_replyText or
// m_downloadData here: a nested query's reply would overwrite those before the outer wait
// returns. awaitReply() hands it over when its own wait ends. A late reply of a request whose
// wait has ended is taken by nobody, and ends no other wait.
void SNPUpgrader::replyUrlRequestFinished(QNetworkReply *reply)
{
    if (m_replyWaits.takeFinished(reply))
        emit phpDownloadFinished();
}

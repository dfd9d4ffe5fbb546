// The firmware-server client: the list of released images, the choice of the newest image of a
// kind, and its download into the Documents folder. Callers see one synchronous call; inside it
// the program waits for each reply in a nested event loop.

#include "boundedreply.h"
#include "cvtwaitforsignalhelper.h"
#include "downloadprogressbar.h"
#include "imagestore.h"
#include "serverconfig.h"
#include "serverfilename.h"
#include "snp300session.h"
#include "snpdurations.h"
#include "snpprotocol.h"
#include "snpupgrader.h"
#include "ui_snpupgrader.h"
#include "versionnumber.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDomDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrlQuery>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>

namespace {

using SnpDurations::DownloadWaitMs;
using SnpDurations::ListWaitMs;
const int MaxListDepth = 256;
// The largest replies taken from the server. A reply that passes its bound is refused as soon as
// it does, so that a server that never stops sending cannot take the memory. A list of a few
// thousand images is some hundred kilobytes; images are about a megabyte.
const qint64 MaxListReplyBytes = 4 * 1024 * 1024;
const qint64 MaxImageBytes = 64 * 1024 * 1024;

QByteArray formBody(const QList<QPair<QString, QString>> &fields)
{
    QUrlQuery form;
    form.setQueryItems(fields);
    return form.toString(QUrl::FullyEncoded).toUtf8();
}

QList<QPair<QString, QString>> accountFields()
{
    return { { QStringLiteral("user"), ServerConfig::userName() },
             { QStringLiteral("pwd"), ServerConfig::password() } };
}

// The document parser expands the entities of an internal DTD without a total limit and
// recurses once per nesting level, so a hostile list could exhaust the memory or the stack. A
// file list needs neither: a list with a DTD, or nested deeper than any list is, is refused. The
// scan must reach the end to see every level, so what it cannot read to the end is refused as
// not well-formed too; it reads names as the document parser does, without namespaces.
bool isPlainShallowXml(const QString &text)
{
    QXmlStreamReader reader(text);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            return false;
        case QXmlStreamReader::StartElement:
            if (++depth > MaxListDepth)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}

// Names of the images of one kind that the list offers, in document order.
QStringList candidateNames(const QDomDocument &document, const QString &serviceId)
{
    QStringList names;
    const QDomElement root = document.firstChildElement(QStringLiteral("snp300"));
    const QDomNodeList items = root.elementsByTagName(QStringLiteral("listItem"));
    for (int i = 0; i < items.size(); ++i) {
        const QString name = SNPUpgrader::childElementText(items.at(i), QStringLiteral("name"));
        if (isServerFileCandidate(name, serviceId))
            names.append(name);
    }
    return names;
}

} // namespace

QString SNPUpgrader::childElementText(const QDomNode &node, const QString &tagName)
{
    return node.firstChildElement(tagName).text();
}

QString SNPUpgrader::queryFirmwareServer(bool bootloader, QString *availableVersion, bool download)
{
    m_replyText = QString();

    QNetworkRequest request(ServerConfig::endpoint());
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    // One manager serves both requests of this call. It goes when the call ends, with its
    // replies (a late one would be ignored anyway) and its network thread, so that a window
    // that stays open all day does not gather a thread per query.
    auto *manager = new QNetworkAccessManager(this);
    // No redirect is followed (Qt 6 would by default, Qt 5 does not): the replies come from the
    // server asked.
    manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    const auto releaseManager = qScopeGuard([guarded = QPointer<QNetworkAccessManager>(manager)] {
        if (guarded)
            guarded->deleteLater();
    });
    connect(manager, &QNetworkAccessManager::finished, this, &SNPUpgrader::replyUrlRequestFinished);

    m_requestKind = ListRequest;
    QNetworkReply *listReply = manager->post(
        request,
        formBody(accountFields() << qMakePair(QStringLiteral("service"),
                                              QLatin1String(SnpProtocol::ListService))));
    switch (awaitReply(listReply, ListRequest, ListWaitMs)) {
    case ReplyWaits::Outcome::Answered:
        break;
    case ReplyWaits::Outcome::Refused: // a reply that cannot be read, told as it was refused
        return QString();
    case ReplyWaits::Outcome::Pending: // a wait returns only once it has ended
    case ReplyWaits::Outcome::Unanswered:
        return QLatin1String(SnpProtocol::NoRequestResponse);
    }

    const QString listText = QString(m_replyText).remove(QStringLiteral("<hr>"));
    QDomDocument document;
    if (!isPlainShallowXml(listText) || !document.setContent(listText, false))
        return QString();

    const QString serviceId = QLatin1String(bootloader ? SnpProtocol::BootloaderServiceId
                                                       : SnpProtocol::FirmwareServiceId);
    QStringList candidates = candidateNames(document, serviceId);
    if (candidates.isEmpty())
        return QString();

    const int deviceNumber
        = versionNumber(bootloader ? m_session->bootloaderVersion() : m_session->appVersion());
    std::sort(candidates.begin(), candidates.end(), newerServerFileFirst);
    const QString chosen = candidates.first();
    if (hasServerFileVersion(chosen))
        *availableVersion = serverFileVersionText(chosen);
    if (serverFileVersionNumber(chosen) <= deviceNumber)
        return QString();
    if (!download)
        return chosen;

    m_requestKind = DownloadRequest;
    QNetworkReply *downloadReply = manager->post(
        request,
        formBody(accountFields() << qMakePair(QStringLiteral("service"),
                                              QLatin1String(SnpProtocol::GetService))
                                 << qMakePair(QStringLiteral("name"), chosen)));
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
                          kind == ListRequest ? MaxListReplyBytes : MaxImageBytes);
    BoundedReply &body = wait.body();
    connect(&body, &BoundedReply::refused, this, [this, &body, kind, fileName] {
        appendLog(refusalText(body, kind, fileName), cvc::Error);
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
    if (wait.outcome() != ReplyWaits::Outcome::Answered)
        return wait.outcome();
    // The reply is handed to the buffer of its kind only now, when its own wait returns.
    if (kind == ListRequest)
        m_replyText = QString::fromUtf8(wait.takeBrought());
    else
        m_downloadData = wait.takeBrought();
    return ReplyWaits::Outcome::Answered;
}

// "The reply of the firmware server http://host:8300 to the download of x was refused: ..."
QString SNPUpgrader::refusalText(const BoundedReply &body, RequestKind kind,
                                 const QString &fileName) const
{
    const QString request = kind == ListRequest
        ? QStringLiteral("the list request")
        : QStringLiteral("the download of %1").arg(fileName);
    const QString what
        = kind == ListRequest ? QStringLiteral("a file list") : QStringLiteral("an image");
    const QString size = body.announced() > body.bound()
        ? QStringLiteral("it announced %1 bytes").arg(body.announced())
        : QStringLiteral("more than %1 bytes arrived").arg(body.bound());
    const QString outcome = kind == ListRequest ? QStringLiteral("Nothing of it was used.")
                                                : QStringLiteral("Nothing was stored.");
    return QStringLiteral("The reply of the firmware server %1 to %2 was refused: it is larger "
                          "than the bound of %3 for %4 (%5). %6")
        .arg(ServerConfig::baseUrl(), request, BoundedReply::sizeText(body.bound()), what, size,
             outcome);
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

#include "listquery.h"

#include "firmwareserverclient.h"
#include "processmemory.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Unchanged = QStringLiteral("(unchanged)");
const QString ServerFolder = QStringLiteral("server-images");

QStringList homeEntries(const QString &home)
{
    QStringList entries;
    QDirIterator it(home, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(home).relativeFilePath(it.next());
        if (relative != ServerFolder && !relative.startsWith(ServerFolder + QLatin1Char('/')))
            entries.append(relative);
    }
    entries.sort();
    return entries;
}

QJsonArray toArray(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList toStringList(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list.append(item.toString());
    return list;
}

QString base64(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QByteArray fromBase64(const QJsonValue &value)
{
    return QByteArray::fromBase64(value.toString().toLatin1());
}

QString shown(const QString &text)
{
    QString escaped;
    for (const QChar c : text.left(200)) {
        if (c.unicode() < 0x20 || c.category() == QChar::Other_Control)
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    if (text.size() > 200)
        escaped += QStringLiteral("... (%1 characters)").arg(text.size());
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

const QString DeviceApplication = QStringLiteral("1.2.9");
const QString DeviceBootloader = QStringLiteral("1.0.14");

// Runs one request of the client to its end: the catalogue or the stored path, or nothing when
// it failed or did not end within the wait.
struct ClientRun
{
    explicit ClientRun(FirmwareServerClient &client)
        : listed(&client, &FirmwareServerClient::listed)
        , stored(&client, &FirmwareServerClient::stored)
        , failed(&client, &FirmwareServerClient::failed)
    { }
    bool wait(int timeoutMs)
    {
        return QTest::qWaitFor([this] { return listed.size() + stored.size() + failed.size() > 0; },
                               timeoutMs);
    }
    QSignalSpy listed;
    QSignalSpy stored;
    QSignalSpy failed;
};

// What the window's query answers for this list: the newest image of the kind when it is newer
// than the device, downloaded into Documents when asked; empty otherwise.
QString queryAsTheWindowDoes(const ListQuery &query, QString *available)
{
    qRegisterMetaType<FirmwareCatalogue>();
    FirmwareServerClient client;
    ClientRun list(client);
    client.fetchList();
    if (!list.wait(60000))
        return QStringLiteral("NoRequestResponse");
    if (list.listed.isEmpty())
        return QString();
    const auto catalogue = list.listed.first().first().value<FirmwareCatalogue>();
    const ImageKind kind = query.bootloader ? ImageKind::Bootloader : ImageKind::Application;
    const QString chosen = catalogue.newest(kind);
    if (chosen.isEmpty())
        return QString();
    if (!catalogue.newestVersion(kind).isEmpty())
        *available = catalogue.newestVersion(kind);
    if (!catalogue.offersNewer(kind, query.bootloader ? DeviceBootloader : DeviceApplication))
        return QString();
    if (!query.download)
        return chosen;
    ClientRun image(client);
    client.fetchImage(chosen, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!image.wait(60000) || image.stored.isEmpty())
        return QString();
    return image.stored.first().at(1).toString();
}

} // namespace

ListFixture::ListFixture()
{
    m_serverImages = home.path() + QStringLiteral("/server-images");
    QDir().mkpath(m_serverImages);
    server.setImageDir(m_serverImages);
    if (!server.listen())
        qFatal("firmware server: %s", qPrintable(server.errorString()));
    qputenv("SNP300_FIRMWARE_SERVER", server.baseUrl().toLocal8Bit());
}

QString ListFixture::serverImagePath(const QString &name) const
{
    return m_serverImages + QLatin1Char('/') + name;
}

void ListFixture::addServerImage(const QString &name, const QByteArray &content)
{
    QFile file(serverImagePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

QString ListQuery::serviceId() const
{
    return bootloader ? QStringLiteral("quenmarksnpbtl") : QStringLiteral("quenmarksnpfmr");
}

QJsonObject ListQuery::toJson() const
{
    QJsonArray images;
    for (const auto &image : served)
        images.append(QJsonObject { { "name", image.first }, { "content", base64(image.second) } });
    return { { "body", base64(body) },
             { "bootloader", bootloader },
             { "download", download },
             { "served", images } };
}

ListQuery ListQuery::fromJson(const QJsonObject &object)
{
    ListQuery query;
    query.body = fromBase64(object.value("body"));
    query.bootloader = object.value("bootloader").toBool();
    query.download = object.value("download").toBool();
    for (const QJsonValue &image : object.value("served").toArray()) {
        query.served.append({ image.toObject().value("name").toString(),
                              fromBase64(image.toObject().value("content")) });
    }
    return query;
}

QJsonObject ListOutcome::toJson() const
{
    QJsonArray seen;
    for (const Request &request : requests)
        seen.append(QJsonObject {
            { "path", request.path }, { "service", request.service }, { "name", request.name } });
    return { { "result", result },
             { "available", available },
             { "elapsedMs", elapsedMs },
             { "startResidentKb", startResidentKb },
             { "peakResidentKb", peakResidentKb },
             { "requests", seen },
             { "documentsPath", documentsPath },
             { "homeBefore", toArray(homeBefore) },
             { "homeAfter", toArray(homeAfter) },
             { "stored", base64(stored) } };
}

ListOutcome ListOutcome::fromJson(const QJsonObject &object)
{
    ListOutcome outcome;
    outcome.result = object.value("result").toString();
    outcome.available = object.value("available").toString();
    outcome.elapsedMs = object.value("elapsedMs").toVariant().toLongLong();
    outcome.startResidentKb = object.value("startResidentKb").toVariant().toLongLong();
    outcome.peakResidentKb = object.value("peakResidentKb").toVariant().toLongLong();
    for (const QJsonValue &value : object.value("requests").toArray()) {
        const QJsonObject request = value.toObject();
        outcome.requests.append({ request.value("path").toString(),
                                  request.value("service").toString(),
                                  request.value("name").toString() });
    }
    outcome.documentsPath = object.value("documentsPath").toString();
    outcome.homeBefore = toStringList(object.value("homeBefore"));
    outcome.homeAfter = toStringList(object.value("homeAfter"));
    outcome.stored = fromBase64(object.value("stored"));
    return outcome;
}

ListOutcome runListQuery(ListFixture &fixture, const ListQuery &query)
{
    QByteArray body = query.body;
    body.replace("%PORT%", QByteArray::number(fixture.server.port()));
    fixture.server.setListBody(body);
    fixture.server.clearRequests();
    for (const auto &image : query.served)
        fixture.addServerImage(image.first, image.second);

    ListOutcome outcome;
    outcome.documentsPath = fixture.home.documentsPath();
    outcome.homeBefore = homeEntries(fixture.home.path());
    outcome.startResidentKb = ProcessMemory::residentKb();
    outcome.available = Unchanged;
    QElapsedTimer clock;
    clock.start();
    outcome.result = queryAsTheWindowDoes(query, &outcome.available);
    outcome.elapsedMs = clock.elapsed();
    outcome.peakResidentKb = ProcessMemory::peakResidentKb();
    outcome.homeAfter = homeEntries(fixture.home.path());
    for (const FirmwareServer::Request &request : fixture.server.requests()) {
        outcome.requests.append({ request.path, request.field(QStringLiteral("service")),
                                  request.field(QStringLiteral("name")) });
    }
    if (query.download && !outcome.result.isEmpty()) {
        QFile stored(outcome.result);
        if (stored.open(QIODevice::ReadOnly))
            outcome.stored = stored.readAll();
    }
    return outcome;
}

QString candidateRuleViolation(const QString &name, const QString &serviceId)
{
    if (name.count(QLatin1Char('_')) != 3)
        return QStringLiteral("it has %1 \"_\", not 3").arg(name.count(QLatin1Char('_')));
    if (!name.endsWith(serviceId))
        return QStringLiteral("it does not end with %1").arg(serviceId);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("it is a relative folder");
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return QStringLiteral("it holds the separator %1").arg(c);
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("it holds the control character U+%1")
                .arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return QString();
}

QString listOutcomeViolation(const ListQuery &query, const ListOutcome &outcome, int timeLimitMs)
{
    const auto fail = [&outcome](const QString &what) {
        return QStringLiteral("%1 (result %2, %3 ms, requests %4)")
            .arg(what, shown(outcome.result))
            .arg(outcome.elapsedMs)
            .arg(outcome.requests.size());
    };

    if (outcome.result == QLatin1String("NoRequestResponse"))
        return fail(QStringLiteral("the list wait ran out although the server answered"));
    if (outcome.elapsedMs >= timeLimitMs)
        return fail(QStringLiteral("the query took longer than %1 ms").arg(timeLimitMs));

    QString chosen = outcome.result;
    if (query.download && !outcome.result.isEmpty()) {
        const QString prefix = outcome.documentsPath + QLatin1Char('/');
        if (!outcome.result.startsWith(prefix))
            return fail(QStringLiteral("the stored file is not in the Documents folder"));
        chosen = outcome.result.mid(prefix.size());
    }
    if (!chosen.isEmpty()) {
        const QString broken = candidateRuleViolation(chosen, query.serviceId());
        if (!broken.isEmpty())
            return fail(QStringLiteral("the chosen name breaks the rules: ") + broken);
    }

    // The list request, then at most the download of the chosen file; nothing fetched for the
    // document itself (external entities, DTDs).
    if (outcome.requests.isEmpty() || outcome.requests.first().service != QLatin1String("list"))
        return fail(QStringLiteral("the first request was not the list"));
    const QList<ListOutcome::Request> later = outcome.requests.mid(1);
    const bool downloaded = query.download && !outcome.result.isEmpty();
    if (later.size() > 1)
        return fail(QStringLiteral("the server got %1 requests").arg(outcome.requests.size()));
    if (downloaded && later.size() != 1)
        return fail(QStringLiteral("a file was stored without a download request"));
    if (!later.isEmpty()) {
        const ListOutcome::Request &request = later.first();
        if (request.service != QLatin1String("get") || !query.download)
            return fail(QStringLiteral("unexpected request %1 service=%2")
                            .arg(request.path, request.service));
        if (downloaded && request.name != chosen)
            return fail(QStringLiteral("downloaded %1 but stored %2")
                            .arg(shown(request.name), shown(chosen)));
    }

    // Nothing below HOME changes but the one stored file, directly in Documents.
    QStringList expected = outcome.homeBefore;
    if (downloaded) {
        const QString stored = QStringLiteral("Documents/") + chosen;
        if (!expected.contains(stored))
            expected.append(stored);
        expected.sort();
        for (const auto &image : query.served) {
            if (image.first == chosen && outcome.stored != image.second)
                return fail(QStringLiteral("the stored file does not hold the served image"));
        }
    }
    if (outcome.homeAfter != expected) {
        return fail(QStringLiteral("HOME changed: before %1, after %2")
                        .arg(outcome.homeBefore.join(QLatin1String(", ")),
                             outcome.homeAfter.join(QLatin1String(", "))));
    }
    return QString();
}

QByteArray listBody(const QStringList &names)
{
    QByteArray body = "<hr><snp300>";
    for (const QString &name : names)
        body += "<listItem><name>" + name.toHtmlEscaped().toUtf8() + "</name></listItem>";
    return body + "</snp300><hr>";
}

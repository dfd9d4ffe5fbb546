// The local firmware server over real HTTP on 127.0.0.1: in process, and as
// the snp300-firmware-server program.

#include "firmwareserver.h"
#include "firmwareserverprocess.h"
#include "sampleimage.h"
#include "testcertificates.h"

#include <QDomDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

namespace {

const int Timeout = 10000;

struct HttpResult
{
    int status = 0;
    QByteArray body;
    QByteArray contentLength;
};

using Form = QList<QPair<QString, QString>>;

Form accountForm(const QString &service)
{
    return { { "user", "opsr" }, { "pwd", "rdox4%bnT" }, { "service", service } };
}

Form getForm(const QString &name)
{
    return accountForm(QStringLiteral("get")) + Form { { "name", name } };
}

// Encodes the form the way the upgrader does (QUrlQuery, fully encoded).
// Over HTTPS the server's certificate is checked against authorities (none: the system's).
HttpResult request(const QString &baseUrl, const Form &form, const QByteArray &method = "POST",
                   const QString &path = QStringLiteral("/snp300/index.php"),
                   const QList<QSslCertificate> &authorities = {})
{
    QUrlQuery query;
    query.setQueryItems(form);
    QNetworkRequest networkRequest(QUrl(baseUrl + path));
    if (!authorities.isEmpty()) {
        QSslConfiguration tls = networkRequest.sslConfiguration();
        tls.setCaCertificates(authorities);
        networkRequest.setSslConfiguration(tls);
    }
    networkRequest.setHeader(QNetworkRequest::ContentTypeHeader,
                             "application/x-www-form-urlencoded");
    QNetworkAccessManager manager;
    QNetworkReply *reply = method == "POST"
        ? manager.post(networkRequest, query.toString(QUrl::FullyEncoded).toUtf8())
        : manager.sendCustomRequest(networkRequest, method);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    HttpResult result;
    if (!finished.wait(Timeout))
        return result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    result.contentLength = reply->rawHeader("Content-Length");
    delete reply;
    return result;
}

// The names in a list answer, read the way the upgrader reads them.
QStringList listedNames(QByteArray body)
{
    body.replace("<hr>", "");
    QDomDocument document;
    if (!document.setContent(body))
        return { QStringLiteral("<not XML>") };
    QStringList names;
    const QDomNodeList items = document.firstChildElement(QStringLiteral("snp300"))
                                   .elementsByTagName(QStringLiteral("listItem"));
    for (int i = 0; i < items.size(); ++i)
        names.append(items.at(i).firstChildElement(QStringLiteral("name")).text());
    return names;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class tst_FirmwareServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listIsXmlBetweenRules();
    void namesAreEscaped();
    void getServesTheFile();
    void refusals_data();
    void refusals();
    void linkOutOfTheFolderIsNotServed();
    void forcedStatus();
    void delayKeepsTheEventLoopRunning();
    void emptyBodies();
    void exactListBody();
    void program();
    void programFaultSwitches();
    void programOverHttps();
    void sampleImagesAreReproducible();

private:
    QTemporaryDir *m_dir = nullptr;
    FirmwareServer *m_server = nullptr;
};

void tst_FirmwareServer::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    for (const char *name :
         { "snp300_1_3_0.quenmarksnpfmr", "snp300_1_2_9.quenmarksnpfmr", "notes.txt" }) {
        QFile file(m_dir->filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(name) + "\n:00000001FF\n");
    }
    m_server = new FirmwareServer;
    m_server->setImageDir(m_dir->path());
    QVERIFY2(m_server->listen(), qPrintable(m_server->errorString()));
    QVERIFY(m_server->port() != 0);
    QCOMPARE(m_server->baseUrl(), QStringLiteral("http://127.0.0.1:%1").arg(m_server->port()));
}

void tst_FirmwareServer::cleanup()
{
    delete m_server;
    delete m_dir;
    m_server = nullptr;
    m_dir = nullptr;
}

void tst_FirmwareServer::listIsXmlBetweenRules()
{
    const HttpResult result = request(m_server->baseUrl(), accountForm(QStringLiteral("list")));
    QCOMPARE(result.status, 200);
    QVERIFY(result.body.startsWith("<hr><snp300>"));
    QVERIFY(result.body.endsWith("</snp300><hr>"));
    QCOMPARE(result.contentLength, QByteArray::number(result.body.size()));
    QCOMPARE(
        listedNames(result.body),
        QStringList({ "notes.txt", "snp300_1_2_9.quenmarksnpfmr", "snp300_1_3_0.quenmarksnpfmr" }));

    // The log holds the decoded form: the password's "%" came as "%25".
    QCOMPARE(m_server->requests().size(), 1);
    const FirmwareServer::Request logged = m_server->requests().first();
    QCOMPARE(logged.method, QStringLiteral("POST"));
    QCOMPARE(logged.path, QStringLiteral("/snp300/index.php"));
    QCOMPARE(logged.field(QStringLiteral("pwd")), QStringLiteral("rdox4%bnT"));
    QVERIFY(logged.body.contains("pwd=rdox4%25bnT"));
    QCOMPARE(logged.status, 200);
}

void tst_FirmwareServer::namesAreEscaped()
{
    const QString hostile = QStringLiteral("a&b<c>'\"d.quenmarksnpfmr");
    QFile file(m_dir->filePath(hostile));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const HttpResult result = request(m_server->baseUrl(), accountForm(QStringLiteral("list")));
    QVERIFY(listedNames(result.body).contains(hostile));
    QCOMPARE(request(m_server->baseUrl(), getForm(hostile)).status, 200);
}

void tst_FirmwareServer::getServesTheFile()
{
    const QString name = QStringLiteral("snp300_1_3_0.quenmarksnpfmr");
    const HttpResult result = request(m_server->baseUrl(), getForm(name));
    QCOMPARE(result.status, 200);
    QCOMPARE(result.body, readFile(m_dir->filePath(name)));
    QCOMPARE(m_server->requests().last().field(QStringLiteral("name")), name);
}

void tst_FirmwareServer::refusals_data()
{
    QTest::addColumn<Form>("form");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    const QString endpoint = QStringLiteral("/snp300/index.php");
    const Form list = accountForm(QStringLiteral("list"));
    QTest::newRow("wrong user") << Form { { "user", "opsx" },
                                          { "pwd", "rdox4%bnT" },
                                          { "service", "list" } }
                                << QByteArray("POST") << endpoint << 403;
    QTest::newRow("wrong password")
        << Form { { "user", "opsr" }, { "pwd", "rdox4bnT" }, { "service", "list" } }
        << QByteArray("POST") << endpoint << 403;
    QTest::newRow("no account") << Form { { "service", "list" } } << QByteArray("POST") << endpoint
                                << 403;
    QTest::newRow("unknown name") << getForm("snp300_9_9_9.quenmarksnpfmr") << QByteArray("POST")
                                  << endpoint << 404;
    QTest::newRow("no name") << accountForm("get") << QByteArray("POST") << endpoint << 404;
    QTest::newRow("parent folder") << getForm("../secret") << QByteArray("POST") << endpoint << 404;
    QTest::newRow("dot dot") << getForm("..") << QByteArray("POST") << endpoint << 404;
    QTest::newRow("slash") << getForm("sub/snp300_1_2_9.quenmarksnpfmr") << QByteArray("POST")
                           << endpoint << 404;
    QTest::newRow("absolute") << getForm("/etc/passwd") << QByteArray("POST") << endpoint << 404;
    QTest::newRow("backslash") << getForm("..\\notes.txt") << QByteArray("POST") << endpoint << 404;
    QTest::newRow("other path") << list << QByteArray("POST") << QStringLiteral("/snp300/other.php")
                                << 404;
    QTest::newRow("GET") << list << QByteArray("GET") << endpoint << 405;
    QTest::newRow("unknown service")
        << accountForm("delete") << QByteArray("POST") << endpoint << 400;
}

void tst_FirmwareServer::refusals()
{
    QFETCH(Form, form);
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(int, status);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("sub")));
    QFile::copy(m_dir->filePath("notes.txt"), m_dir->filePath("sub/snp300_1_2_9.quenmarksnpfmr"));
    const HttpResult result = request(m_server->baseUrl(), form, method, path);
    QCOMPARE(result.status, status);
    QVERIFY(!result.body.contains(":00000001FF"));
}

void tst_FirmwareServer::linkOutOfTheFolderIsNotServed()
{
    QTemporaryDir outside;
    QFile secret(outside.filePath(QStringLiteral("secret.quenmarksnpfmr")));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("secret");
    secret.close();
    QVERIFY(QFile::link(secret.fileName(),
                        m_dir->filePath(QStringLiteral("snp300_2_0_0.quenmarksnpfmr"))));
    QCOMPARE(
        request(m_server->baseUrl(), getForm(QStringLiteral("snp300_2_0_0.quenmarksnpfmr"))).status,
        404);
}

void tst_FirmwareServer::forcedStatus()
{
    m_server->setForcedStatus(503);
    QCOMPARE(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).status, 503);
    QCOMPARE(request(m_server->baseUrl(), getForm(QStringLiteral("notes.txt"))).status, 503);
    m_server->setForcedStatus(0);
    QCOMPARE(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).status, 200);
}

void tst_FirmwareServer::delayKeepsTheEventLoopRunning()
{
    m_server->setDelayMs(600);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(50);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).status, 200);
    QVERIFY(clock.elapsed() >= 590);
    QVERIFY(ticks >= 3);
    QCOMPARE(m_server->requests().size(), 1); // logged on arrival

    m_server->setDelayMs(0);
    m_server->setDownloadDelayMs(600);
    clock.restart();
    QCOMPARE(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).status, 200);
    QVERIFY(clock.elapsed() < 590); // lists are not held back
    clock.restart();
    QCOMPARE(request(m_server->baseUrl(), getForm(QStringLiteral("notes.txt"))).status, 200);
    QVERIFY(clock.elapsed() >= 590);
}

void tst_FirmwareServer::emptyBodies()
{
    m_server->setEmptyDownload(true);
    QCOMPARE(
        listedNames(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).body).size(),
        3);
    HttpResult download = request(m_server->baseUrl(), getForm(QStringLiteral("notes.txt")));
    QCOMPARE(download.status, 200);
    QVERIFY(download.body.isEmpty());
    QCOMPARE(download.contentLength, QByteArray("0"));

    m_server->setEmptyDownload(false);
    m_server->setEmptyBody(true);
    const HttpResult list = request(m_server->baseUrl(), accountForm(QStringLiteral("list")));
    QCOMPARE(list.status, 200);
    QVERIFY(list.body.isEmpty());
    QVERIFY(request(m_server->baseUrl(), getForm(QStringLiteral("notes.txt"))).body.isEmpty());
    // Refusals stay refusals.
    QCOMPARE(request(m_server->baseUrl(), getForm(QStringLiteral("missing"))).status, 404);
}

void tst_FirmwareServer::exactListBody()
{
    const QByteArray hostile = "<hr><snp300><listItem><name>snp300_9_9_9.quenmarksnpfmr</name>";
    m_server->setListBody(hostile);
    QCOMPARE(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).body, hostile);
    m_server->setListBody(QByteArray());
    const HttpResult empty = request(m_server->baseUrl(), accountForm(QStringLiteral("list")));
    QCOMPARE(empty.status, 200);
    QVERIFY(empty.body.isEmpty());
    m_server->clearListBody();
    QCOMPARE(
        listedNames(request(m_server->baseUrl(), accountForm(QStringLiteral("list"))).body).size(),
        3);
}

void tst_FirmwareServer::program()
{
    const QString images = FirmwareServerProcess::sampleImagesDir();
    FirmwareServerProcess server(images);
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));
    QVERIFY(server.pid() > 0);

    const HttpResult list = request(server.baseUrl(), accountForm(QStringLiteral("list")));
    QCOMPARE(list.status, 200);
    QCOMPARE(
        listedNames(list.body),
        QStringList({ "notes.txt", "snp300_1_0_14.quenmarksnpbtl", "snp300_1_0_15.quenmarksnpbtl",
                      "snp300_1_2_9.quenmarksnpfmr", "snp300_1_3_0.quenmarksnpfmr" }));
    const QString name = QStringLiteral("snp300_1_3_0.quenmarksnpfmr");
    QCOMPARE(request(server.baseUrl(), getForm(name)).body, readFile(QDir(images).filePath(name)));
    QCOMPARE(request(server.baseUrl(), getForm(QStringLiteral("../CMakeLists.txt"))).status, 404);

    QTRY_COMPARE_WITH_TIMEOUT(server.requestLines().size(), 3, Timeout);
    QCOMPARE(server.requestLines().at(0),
             QStringLiteral("POST /snp300/index.php 200 user=opsr pwd=rdox4%25bnT service=list"));
    QVERIFY(server.requestLines().at(1).endsWith(QStringLiteral("service=get name=") + name));

    QVERIFY(server.stop()); // SIGTERM ends it cleanly
    QVERIFY(!server.isRunning());
    QCOMPARE(request(server.baseUrl(), accountForm(QStringLiteral("list"))).status, 0);
}

void tst_FirmwareServer::programFaultSwitches()
{
    const QString images = FirmwareServerProcess::sampleImagesDir();
    {
        FirmwareServerProcess server(images, { "--status", "500" });
        QVERIFY2(server.isRunning(), qPrintable(server.errorString()));
        QCOMPARE(request(server.baseUrl(), accountForm(QStringLiteral("list"))).status, 500);
    }
    {
        FirmwareServerProcess server(images, { "--user", "someone", "--password", "else" });
        QCOMPARE(request(server.baseUrl(), accountForm(QStringLiteral("list"))).status, 403);
    }
    {
        FirmwareServerProcess server(images, { "--empty-download", "--delay-ms", "300" });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(
            listedNames(request(server.baseUrl(), accountForm(QStringLiteral("list"))).body).size(),
            5);
        QVERIFY(clock.elapsed() >= 290);
        const HttpResult download = request(server.baseUrl(), getForm(QStringLiteral("notes.txt")));
        QCOMPARE(download.status, 200);
        QVERIFY(download.body.isEmpty());
    }
    {
        QTemporaryDir dir;
        QFile body(dir.filePath(QStringLiteral("list.txt")));
        QVERIFY(body.open(QIODevice::WriteOnly));
        body.write("<snp300><listItem><name>x_1_2_3.quenmarksnpfmr</name></listItem></snp300>");
        body.close();
        FirmwareServerProcess server(images, { "--list-body", body.fileName(), "--empty-body" });
        QCOMPARE(listedNames(request(server.baseUrl(), accountForm(QStringLiteral("list"))).body),
                 QStringList { "x_1_2_3.quenmarksnpfmr" });
        QVERIFY(request(server.baseUrl(), getForm(QStringLiteral("notes.txt"))).body.isEmpty());
    }
    FirmwareServerProcess missing(QStringLiteral("/nonexistent/folder"), {}, 3000);
    QVERIFY(!missing.isRunning());
}

// Given a certificate the program serves HTTPS; a client that does not trust it sends nothing.
void tst_FirmwareServer::programOverHttps()
{
    const QString images = FirmwareServerProcess::sampleImagesDir();
    FirmwareServerProcess server(images,
                                 { "--tls-cert", certificates().path("trusted.pem"), "--tls-key",
                                   certificates().path("trusted.key") });
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));
    QVERIFY(server.baseUrl().startsWith("https://127.0.0.1:"));
    const QList<QSslCertificate> authority
        = QSslCertificate::fromPath(certificates().path("ca.pem"));
    QCOMPARE(authority.size(), 1);

    QCOMPARE(request(server.baseUrl(), accountForm(QStringLiteral("list"))).status, 0);
    const HttpResult list = request(server.baseUrl(), accountForm(QStringLiteral("list")), "POST",
                                    QStringLiteral("/snp300/index.php"), authority);
    QCOMPARE(list.status, 200);
    QCOMPARE(listedNames(list.body).size(), 5);
    QTRY_COMPARE_WITH_TIMEOUT(server.requestLines().size(), 1, Timeout);

    FirmwareServerProcess keyless(images, { "--tls-cert", certificates().path("trusted.pem") },
                                  3000);
    QVERIFY(!keyless.isRunning());
    FirmwareServerProcess notPem(images,
                                 { "--tls-cert", certificates().path("notpem.pem"), "--tls-key",
                                   certificates().path("trusted.key") },
                                 3000);
    QVERIFY(!notPem.isRunning());
}

// The committed images are exactly what the generator makes (see
// make-sample-images.sh), so they can be regenerated at any time.
void tst_FirmwareServer::sampleImagesAreReproducible()
{
    struct Sample
    {
        const char *name;
        int lines;
        quint32 seed;
        bool crlf;
    };
    const Sample samples[] = { { "snp300_1_2_9.quenmarksnpfmr", 300, 129, false },
                               { "snp300_1_3_0.quenmarksnpfmr", 320, 130, false },
                               { "snp300_1_0_14.quenmarksnpbtl", 200, 1014, true },
                               { "snp300_1_0_15.quenmarksnpbtl", 220, 1015, true } };
    const QDir images(FirmwareServerProcess::sampleImagesDir());
    for (const Sample &sample : samples) {
        const QByteArray content = readFile(images.filePath(QLatin1String(sample.name)));
        QCOMPARE(content, SampleImage::generate(sample.lines, sample.seed, sample.crlf));
        const QList<QByteArray> lines = content.trimmed().split('\n');
        QCOMPARE(lines.size(), sample.lines + 1);
        QCOMPARE(lines.first().trimmed().size(), 43);
        QCOMPARE(lines.last().trimmed(), QByteArray(":00000001FF"));
    }
    QCOMPARE(
        SampleImage::record(0x0010, 0, QByteArray::fromHex("000102030405060708090A0B0C0D0E0F")),
        QByteArray(":10001000000102030405060708090A0B0C0D0E0F68"));
    // Beyond 64 KiB an extended linear address record precedes the data.
    QVERIFY(SampleImage::generate(4097, 1).contains("\n:020000040001F9\n"));
}

QTEST_GUILESS_MAIN(tst_FirmwareServer)
#include "tst_firmwareserver.moc"

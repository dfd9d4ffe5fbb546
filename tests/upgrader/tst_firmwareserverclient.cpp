// The firmware server's list read without any I/O (FirmwareCatalogue), the causes told for failed
// requests, and the asynchronous client (FirmwareServerClient) against a real server on
// 127.0.0.1, over HTTP and over HTTPS with certificates made for the test by OpenSSL.

#include "boundedreply.h"
#include "firmwarecatalogue.h"
#include "firmwareserver.h"
#include "firmwareserverclient.h"
#include "servercause.h"
#include "testcertificates.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString Fmr123 = QStringLiteral("snp300_1_2_3.quenmarksnpfmr");
const QString Fmr130 = QStringLiteral("snp300_1_3_0.quenmarksnpfmr");
const QString Btl015 = QStringLiteral("snp300_1_0_15.quenmarksnpbtl");

QByteArray listOf(const QStringList &names)
{
    QByteArray body = "<hr><snp300>";
    for (const QString &name : names)
        body += "<listItem><name>" + name.toUtf8() + "</name></listItem>";
    return body + "</snp300><hr>";
}

// Wine's Schannel cannot take a certificate for a server ("The certificate provided cannot be used
// for a server": the private key Qt imports with it is not usable there), so under Wine the HTTPS
// servers are the Linux firmware server, one per certificate, started by CTest on this machine
// (tests/support/tls-servers) in the folder SNP_TEST_TLS_SERVERS names.
bool servesTlsInProcess()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
#else
    return true;
#endif
}

QString tlsServersFolder()
{
    return qEnvironmentVariable("SNP_TEST_TLS_SERVERS");
}

// A server on 127.0.0.1 with its image folder, and a client pointed at it. Over TLS under Wine,
// the server of the certificate started outside (serving the images of tests/support/tls-servers)
// takes the in-process one's place, and what it received is read from its log.
struct ServerAndClient
{
    ServerAndClient()
    {
        server.setImageDir(images.path());
        if (!server.listen())
            qFatal("firmware server: %s", qPrintable(server.errorString()));
    }
    bool serveTls(const QString &certificate)
    {
        if (servesTlsInProcess()) {
            if (server.setTlsCertificate(certificates().path(certificate + ".pem"),
                                         certificates().path(certificate + ".key")))
                return true;
            tlsError = server.errorString();
            return false;
        }
        QFile port(tlsServersFolder() + '/' + certificate + ".port");
        if (!port.open(QIODevice::ReadOnly)) {
            tlsError = "no server of " + certificate + " outside: " + port.fileName();
            return false;
        }
        outsideUrl = "https://127.0.0.1:" + QString::fromLatin1(port.readAll().trimmed());
        outsideLog = tlsServersFolder() + '/' + certificate + ".log";
        outsideLinesSeen = logLines().size();
        return true;
    }
    QString baseUrl() const { return outsideUrl.isEmpty() ? server.baseUrl() : outsideUrl; }
    bool servedOutside() const { return !outsideUrl.isEmpty(); }
    // The requests the server outside received since serveTls(), one line each as it logs them:
    // "POST /snp300/index.php 200 user=opsr pwd=rdox4%25bnT service=list".
    QStringList outsideRequests() const { return logLines().mid(outsideLinesSeen); }
    int requestCount() const
    {
        return servedOutside() ? outsideRequests().size() : server.requests().size();
    }
    QStringList logLines() const
    {
        QFile log(outsideLog);
        if (!log.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(outsideLog));
        // The first line is "listening https://127.0.0.1:PORT".
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts).mid(1);
    }
    void addImage(const QString &name, const QByteArray &content)
    {
        QFile file(images.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), qint64(content.size()));
    }
    QUrl endpoint() const { return QUrl(baseUrl() + QStringLiteral("/snp300/index.php")); }
    // Runs one request of the client until it ends; the cause when it failed, else "".
    QString run(const std::function<void(FirmwareServerClient &)> &request)
    {
        FirmwareServerClient client;
        client.setEndpoint(endpoint());
        QSignalSpy done(&client, &FirmwareServerClient::listed);
        QSignalSpy stored(&client, &FirmwareServerClient::stored);
        QSignalSpy failed(&client, &FirmwareServerClient::failed);
        request(client);
        if (!QTest::qWaitFor([&] { return done.size() + stored.size() + failed.size() > 0; },
                             60000))
            return QStringLiteral("(no end)");
        if (!done.isEmpty())
            catalogue = done.first().first().value<FirmwareCatalogue>();
        if (!stored.isEmpty())
            storedPath = stored.first().at(1).toString();
        return failed.isEmpty() ? QString() : failed.first().first().toString();
    }

    QTemporaryDir images;
    QTemporaryDir documents;
    FirmwareServer server;
    FirmwareCatalogue catalogue;
    QString storedPath;
    QString tlsError;
    QString outsideUrl;
    QString outsideLog;
    int outsideLinesSeen = 0;
};

} // namespace

class tst_FirmwareServerClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogue_data();
    void catalogue();
    void unreadableListsSayWhy_data();
    void unreadableListsSayWhy();
    void httpStatusCauses_data();
    void httpStatusCauses();
    void listAndImageOverHttps();
    void certificateFaultsSendNothing_data();
    void certificateFaultsSendNothing();
    void serverFaultsAreTold_data();
    void serverFaultsAreTold();
    void namedAuthorityThatCannotBeUsed_data();
    void namedAuthorityThatCannotBeUsed();
};

void tst_FirmwareServerClient::initTestCase()
{
    qRegisterMetaType<FirmwareCatalogue>();
}

void tst_FirmwareServerClient::catalogue_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QString>("newest");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("newerThan129");

    const QStringList all = { Fmr123, Fmr130, Btl015 };
    QTest::newRow("firmware") << listOf(all) << false << QStringList { Fmr123, Fmr130 } << Fmr130
                              << "1.3.0" << true;
    QTest::newRow("bootloader") << listOf(all) << true << QStringList { Btl015 } << Btl015
                                << "1.0.15" << false;
    QTest::newRow("not newer") << listOf({ Fmr123 }) << false << QStringList { Fmr123 } << Fmr123
                               << "1.2.3" << false;
    QTest::newRow("near misses and unsafe names")
        << listOf({ Fmr130 + ".bak", "snp300_1_3.quenmarksnpfmr", "snp_300_1_3_0.quenmarksnpfmr",
                    "../snp300_9_9.quenmarksnpfmr", "dir/x_9_9_9.quenmarksnpfmr" })
        << false << QStringList() << QString() << QString() << false;
    // Equal numbers: the one listed first is the newest.
    QTest::newRow("same number twice")
        << listOf({ "snp300_01_03_00.quenmarksnpfmr", Fmr130 }) << false
        << QStringList { "snp300_01_03_00.quenmarksnpfmr", Fmr130 }
        << "snp300_01_03_00.quenmarksnpfmr"
        << "01.03.00" << true;
    QTest::newRow("short head: a version unknown")
        << listOf({ "snp300.1_3_0_quenmarksnpfmr" }) << false
        << QStringList { "snp300.1_3_0_quenmarksnpfmr" } << "snp300.1_3_0_quenmarksnpfmr"
        << QString() << false;
}

void tst_FirmwareServerClient::catalogue()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, bootloader);
    QFETCH(QStringList, candidates);
    QFETCH(QString, newest);
    QFETCH(QString, version);
    QFETCH(bool, newerThan129);
    const ImageKind kind = bootloader ? ImageKind::Bootloader : ImageKind::Application;
    FirmwareCatalogue catalogue;
    QVERIFY(catalogue.read(QString::fromUtf8(body)));
    QCOMPARE(catalogue.candidates(kind), candidates);
    QCOMPARE(catalogue.newest(kind), newest);
    QCOMPARE(catalogue.newestVersion(kind), version);
    QCOMPARE(catalogue.offersNewer(kind, bootloader ? "1.0.14" : "1.2.9"),
             bootloader ? !newest.isEmpty() : newerThan129);
    // A device that reports nothing counts as 0: any image with a version is newer.
    QCOMPARE(catalogue.offersNewer(kind, QString()), !version.isEmpty());
}

void tst_FirmwareServerClient::unreadableListsSayWhy_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("why");
    QTest::newRow("empty") << QByteArray("<hr><hr>") << "it is empty";
    QTest::newRow("not XML") << QByteArray("<hr>Service unavailable<hr") << "not well-formed";
    QTest::newRow("other root") << QByteArray("<files/>") << "<files>, not <snp300>";
    QTest::newRow("document type")
        << QByteArray("<!DOCTYPE snp300 []><snp300/>") << "declares a document type";
    QTest::newRow("too deep") << QByteArray("<snp300>" + QByteArray("<a>").repeated(256)
                                            + QByteArray("</a>").repeated(256) + "</snp300>")
                              << "deeper than 256 levels";
}

void tst_FirmwareServerClient::unreadableListsSayWhy()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, why);
    FirmwareCatalogue catalogue;
    QVERIFY(!catalogue.read(QString::fromUtf8(body)));
    QVERIFY2(catalogue.errorString().contains(why), qPrintable(catalogue.errorString()));
    QVERIFY(catalogue.names().isEmpty());
}

void tst_FirmwareServerClient::httpStatusCauses_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("cause");
    const QString server = QStringLiteral("The firmware server https://f.example ");
    QTest::newRow("401") << 401 << QString()
                         << server
            + "refused the program's account for the list request (HTTP 401 Reason): the account "
              "built into the program or the server's configuration must be renewed.";
    QTest::newRow("403 download") << 403 << Fmr130
                                  << server + "refused the program's account for the download of "
            + Fmr130
            + " (HTTP 403 Reason): the account built into the program or the server's "
              "configuration must be renewed.";
    QTest::newRow("404 download") << 404 << Fmr130
                                  << server + "lists " + Fmr130
            + " but does not serve it (HTTP 404 Reason): the server's image folder must be mended.";
    QTest::newRow("404 list") << 404 << QString()
                              << server
            + "has no firmware list at its address (HTTP 404 Reason): check the server's address.";
    QTest::newRow("503") << 503 << QString()
                         << server
            + "failed to answer the list request (HTTP 503 Reason): the fault is the server's "
              "own, try again later.";
}

void tst_FirmwareServerClient::httpStatusCauses()
{
    QFETCH(int, status);
    QFETCH(QString, fileName);
    QFETCH(QString, cause);
    QCOMPARE(ServerCause::ofHttpStatus(status, "Reason", "https://f.example", fileName), cause);
}

// The whole road over TLS, with the server's authority named: the list, then the image stored,
// each request's form exactly as over HTTP.
void tst_FirmwareServerClient::listAndImageOverHttps()
{
    if (!servesTlsInProcess() && tlsServersFolder().isEmpty())
        QSKIP("Schannel under Wine cannot serve TLS, and SNP_TEST_TLS_SERVERS names no servers");
    ServerAndClient s;
    QVERIFY2(s.serveTls("trusted"), qPrintable(s.tlsError));
    s.addImage(Fmr130, "image\n");
    s.addImage(Btl015, "boot\n");
    const ScopedVariable authority("SNP300_SERVER_CA", certificates().path("ca.pem"));
    QVERIFY(s.baseUrl().startsWith("https://"));

    const QString listed = s.run([](FirmwareServerClient &client) { client.fetchList(); });
    // Under Wine, crypt32 does not find the issuer of the server's certificate among the named
    // authorities Qt's Schannel backend hands it (a partial chain: "The issuer certificate could
    // not be found"), so the named authority cannot be accepted there; nothing may go out still.
    if (s.servedOutside() && listed.contains("its certificate is not trusted")
        && s.requestCount() == 0)
        QSKIP(qPrintable("Schannel under Wine does not take the named authority: " + listed));
    QCOMPARE(listed, QString());
    QCOMPARE(s.catalogue.newest(ImageKind::Application), Fmr130);
    QCOMPARE(s.catalogue.newest(ImageKind::Bootloader), Btl015);

    const QString folder = s.documents.path();
    QCOMPARE(s.run([&folder](FirmwareServerClient &client) { client.fetchImage(Fmr130, folder); }),
             QString());
    QCOMPARE(s.storedPath, folder + '/' + Fmr130);
    QFile stored(s.storedPath);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("image\n"));

    if (s.servedOutside()) {
        const QString post = QStringLiteral("POST /snp300/index.php 200 user=opsr pwd=rdox4%25bnT");
        QCOMPARE(s.outsideRequests(),
                 QStringList({ post + " service=list", post + " service=get name=" + Fmr130 }));
        return;
    }
    QCOMPARE(s.server.requests().size(), 2);
    QCOMPARE(s.server.requests().at(0).body, QByteArray("user=opsr&pwd=rdox4%25bnT&service=list"));
    QCOMPARE(s.server.requests().at(1).body,
             QByteArray("user=opsr&pwd=rdox4%25bnT&service=get&name=" + Fmr130.toUtf8()));
    QCOMPARE(s.server.requests().at(1).fields.value(3).second, Fmr130);
}

void tst_FirmwareServerClient::certificateFaultsSendNothing_data()
{
    QTest::addColumn<QString>("certificate");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("fault");
    QTest::newRow("authority not named") << "trusted" << false << "127.0.0.1"
                                         << "its certificate is not trusted";
    QTest::newRow("self-signed") << "selfsigned" << true << "127.0.0.1"
                                 << "its certificate is not trusted";
    QTest::newRow("expired") << "expired" << true << "127.0.0.1"
                             << "its certificate expired on 2021-01-01T00:00:00Z";
    QTest::newRow("issued for another name")
        << "wrongname" << true << "127.0.0.1"
        << "its certificate was issued for another name (firmware.other.invalid)";
}

// A certificate that cannot be checked ends the request before the account is sent: the server
// gets no request at all, and the cause names the server and the certificate's fault.
void tst_FirmwareServerClient::certificateFaultsSendNothing()
{
    if (!servesTlsInProcess() && tlsServersFolder().isEmpty())
        QSKIP("Schannel under Wine cannot serve TLS, and SNP_TEST_TLS_SERVERS names no servers");
    QFETCH(QString, certificate);
    QFETCH(bool, named);
    QFETCH(QString, host);
    QFETCH(QString, fault);
    ServerAndClient s;
    QVERIFY2(s.serveTls(certificate), qPrintable(s.tlsError));
    s.addImage(Fmr130, "image\n");
    const ScopedVariable authority("SNP300_SERVER_CA",
                                   named ? certificates().path("ca.pem") : QString());
    const QString cause = s.run([](FirmwareServerClient &client) { client.fetchList(); });
    const QString expected = "The identity of the firmware server " + s.baseUrl()
        + " could not be checked, so nothing was sent to it: ";
    QVERIFY2(cause.startsWith(expected), qPrintable(cause));
    QVERIFY2(cause.contains(fault), qPrintable(cause));
    QCOMPARE(s.requestCount(), 0);
}

void tst_FirmwareServerClient::serverFaultsAreTold_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("cause");
    QTest::newRow("account refused") << "403"
                                     << "refused the program's account for the list request "
                                        "(HTTP 403 Forbidden)";
    QTest::newRow("server failing") << "500"
                                    << "failed to answer the list request (HTTP 500 Internal "
                                       "Server Error): the fault is the server's own";
    QTest::newRow("listed image not served")
        << "missing"
        << "lists " + Fmr130 + " but does not serve it (HTTP 404 Not Found)";
    QTest::newRow("empty image") << "empty"
                                 << "answered the download of " + Fmr130 + " with an empty file";
    QTest::newRow("connection refused") << "refused"
                                        << "could not be reached for the list request "
                                           "(Connection refused)";
    QTest::newRow("silent") << "silent"
                            << "did not answer the list request within 5 s";
    QTest::newRow("endless list") << "endless"
                                  << "to the list request was refused: it is larger than the "
                                     "bound of 4 MiB for a file list";
}

void tst_FirmwareServerClient::serverFaultsAreTold()
{
    QFETCH(QString, fault);
    QFETCH(QString, cause);
    ServerAndClient s;
    if (fault != "missing")
        s.addImage(Fmr130, "image\n");
    if (fault == "403" || fault == "500")
        s.server.setForcedStatus(fault.toInt());
    if (fault == "empty")
        s.server.setEmptyDownload(true);
    if (fault == "silent")
        s.server.setDelayMs(8000);
    if (fault == "endless")
        s.server.setEndlessList(FirmwareServer::Endless::Chunked);
    QString server = s.server.baseUrl();
    if (fault == "refused") {
        s.server.close();
        QTcpServer probe; // the port, now free: nobody listens there
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        server = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
    }
    FirmwareServerClient client;
    client.setEndpoint(QUrl(server + "/snp300/index.php"));
    QSignalSpy failed(&client, &FirmwareServerClient::failed);
    QElapsedTimer clock;
    clock.start();
    if (fault == "missing" || fault == "empty")
        client.fetchImage(Fmr130, s.documents.path());
    else
        client.fetchList();
    QVERIFY(failed.wait(20000));
    const QString told = failed.first().first().toString();
    QVERIFY2(told.contains("firmware server " + server + ' '), qPrintable(told));
    QVERIFY2(told.contains(cause), qPrintable(told));
    if (fault == "silent")
        QVERIFY2(clock.elapsed() >= 4500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(QDir(s.documents.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(!client.isBusy());
}

void tst_FirmwareServerClient::namedAuthorityThatCannotBeUsed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing") << "no-such-file.pem"
                             << "which cannot be read";
    QTest::newRow("no certificate") << "notpem.pem"
                                    << "which holds no PEM certificate";
}

// A named authority that cannot be used is told, and nothing is sent: the system's trust store
// is not taken instead of the authority that was asked for.
void tst_FirmwareServerClient::namedAuthorityThatCannotBeUsed()
{
    QFETCH(QString, file);
    QFETCH(QString, cause);
    ServerAndClient s; // whatever the scheme, nothing goes out
    const QString path = certificates().path(file);
    const ScopedVariable authority("SNP300_SERVER_CA", path);
    const QString told = s.run([](FirmwareServerClient &client) { client.fetchList(); });
    QVERIFY2(
        told.startsWith("SNP300_SERVER_CA names " + QDir::toNativeSeparators(path) + ", " + cause),
        qPrintable(told));
    QVERIFY(s.server.requests().isEmpty());
}

QTEST_GUILESS_MAIN(tst_FirmwareServerClient)
#include "tst_firmwareserverclient.moc"

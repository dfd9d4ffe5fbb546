// The firmware-server client against a real HTTP server on 127.0.0.1: the requests on the wire,
// the list parsing and choice, the result and the out parameter, the download, and the faults.

#include "firmwareserverprocess.h"
#include "processmemory.h"
#include "serverconfig.h"
#include "snpupgraderprobe.h"
#include "testcertificates.h"
#include "testdata.h"
#include "windowfixture.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QScopeGuard>
#include <QTcpServer>
#include <QtTest>
#include <optional>

namespace {

const QString Fmr123 = "snp300_1_2_3.quenmarksnpfmr";
const QString Unchanged = "unchanged";

QByteArray listOf(const QStringList &names)
{
    QByteArray body = "<hr><snp300>";
    for (const QString &name : names)
        body += "<listItem><name>" + name.toUtf8() + "</name></listItem>";
    return body + "</snp300><hr>";
}

// Whatever the server sends, the process stays below this (plus what a sanitizer keeps).
const qint64 PeakResidentBoundKb = 256 * 1024;

void verifyPeakMemoryBounded()
{
    const qint64 peakKb = ProcessMemory::peakResidentKb();
    if (peakKb < 0)
        return; // not known on this system
    QVERIFY2(peakKb < PeakResidentBoundKb + ProcessMemory::sanitizerOverheadKb(),
             qPrintable(QStringLiteral("peak resident memory %1 KiB").arg(peakKb)));
}

QString refusal(const QString &server, const QString &request, const QString &bound,
                const QString &what, const QString &size, const QString &outcome)
{
    return "The reply of the firmware server " + server + " to " + request
        + " was refused: it is larger than the bound of " + bound + " for " + what + " (" + size
        + "). " + outcome;
}

// The server's two ways of sending without end, and the size the refusal of each tells.
void addEndlessReplies(int bound)
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("size");
    QTest::newRow("chunked") << "chunked" << QString("more than %1 bytes arrived").arg(bound);
    QTest::newRow("huge length") << "huge-length"
                                 << "it announced 1099511627776 bytes";
}

// A window whose device has reported application 1.2.9 and bootloader 1.0.14: the server is asked
// for what is newer.
struct ReportedVersions : WindowFixture
{
    ReportedVersions() { SNPUpgraderProbe::setDeviceVersions(*window, "1.2.9", "1.0.14"); }
};

// A port on 127.0.0.1 that nobody listens on.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

class tst_ServerClient : public QObject
{
    Q_OBJECT

private slots:
    void listRequestOnTheWire();
    void choice_data();
    void choice();
    void listParsing_data();
    void listParsing();
    void downloadStoresTheNewestImage();
    void downloadFailures_data();
    void downloadFailures();
    void unsafeNamesAreNeverCandidates();
    void unansweredListTakesTheWholeWait_data();
    void unansweredListTakesTheWholeWait();
    void lateListReplyIsNotTakenForTheDownload();
    void queriesLeaveNoNetworkManagersBehind();
    void endlessListIsRefused_data();
    void endlessListIsRefused();
    void listAtTheBound();
    void endlessDownloadIsRefused_data();
    void endlessDownloadIsRefused();
    void systemProxyIsUsed();
    void upgradeOverHttps();
    void certificateThatCannotBeCheckedIsTold_data();
    void certificateThatCannotBeCheckedIsTold();
};

void tst_ServerClient::listRequestOnTheWire()
{
    WindowFixture f;
    f.addServerImage(Fmr130, "x\n");
    QString available;
    f.window->queryFirmwareServer(false, &available, false);
    QCOMPARE(f.server.requests().size(), 1);
    const FirmwareServer::Request request = f.server.requests().first();
    QCOMPARE(request.method, QString("POST"));
    QCOMPARE(request.path, QString("/snp300/index.php"));
    QCOMPARE(request.body, QByteArray("user=opsr&pwd=rdox4%25bnT&service=list"));
}

void tst_ServerClient::choice_data()
{
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<QString>("deviceVersion");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("available");
    QTest::newRow("newer firmware") << false << "1.2.9" << Fmr130 << "1.3.0";
    QTest::newRow("device up to date") << false << "1.3.0"
                                       << ""
                                       << "1.3.0";
    QTest::newRow("device newer") << false << "2.0.0"
                                  << ""
                                  << "1.3.0";
    QTest::newRow("device reports nothing") << false << "" << Fmr130 << "1.3.0";
    QTest::newRow("newer bootloader") << true << "1.0.14" << Btl015 << "1.0.15";
    QTest::newRow("bootloader up to date") << true << "1.0.15"
                                           << ""
                                           << "1.0.15";
}

void tst_ServerClient::choice()
{
    QFETCH(bool, bootloader);
    QFETCH(QString, deviceVersion);
    QFETCH(QString, result);
    QFETCH(QString, available);
    WindowFixture f;
    for (const QString &name : { Fmr123, Fmr130, Btl015 })
        f.addServerImage(name, "image\n");
    SNPUpgraderProbe::setDeviceVersions(*f.window, bootloader ? "9.9.9" : deviceVersion,
                                        bootloader ? deviceVersion : "9.9.9");
    QString availableVersion = Unchanged;
    QCOMPARE(f.window->queryFirmwareServer(bootloader, &availableVersion, false), result);
    QCOMPARE(availableVersion, available);
    QCOMPARE(f.server.requests().size(), 1); // nothing downloaded
}

void tst_ServerClient::listParsing_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("available");

    QTest::newRow("items at any depth")
        << QByteArray("<hr><snp300><group><listItem><name>" + Fmr130.toUtf8()
                      + "</name></listItem></group></snp300><hr>")
        << Fmr130 << "1.3.0";
    QTest::newRow("first name child counts")
        << QByteArray("<snp300><listItem><size>3</size><name>" + Fmr130.toUtf8() + "</name><name>"
                      + Fmr123.toUtf8() + "</name></listItem></snp300>")
        << Fmr130 << "1.3.0";
    QTest::newRow("only near misses")
        << listOf({ "snp300_1_3_0.quenmarksnpfmr.bak", "snp300_1_3.quenmarksnpfmr",
                    "snp_300_1_3_0.quenmarksnpfmr", Btl015 })
        << "" << Unchanged;
    QTest::newRow("newest of several") << listOf({ Fmr123, "snp300_1_9_9.quenmarksnpfmr", Fmr130 })
                                       << "snp300_1_9_9.quenmarksnpfmr"
                                       << "1.9.9";
    QTest::newRow("not XML") << QByteArray("<hr>Service unavailable<hr") << "" << Unchanged;
    QTest::newRow("empty body") << QByteArray() << "" << Unchanged;
    QTest::newRow("other root") << QByteArray("<hr><files><listItem><name>" + Fmr130.toUtf8()
                                              + "</name></listItem></files><hr>")
                                << "" << Unchanged;
    QTest::newRow("no items") << QByteArray("<hr><snp300/><hr>") << "" << Unchanged;
    QTest::newRow("short head keeps the version unknown")
        << listOf({ "snp300.1_3_0_quenmarksnpfmr" }) << "" << Unchanged;
    // A list has no use for a DTD (whose entities could expand without end) nor for nesting
    // deeper than a few levels (which could exhaust the parser's stack): such lists are refused.
    QTest::newRow("document type with entities")
        << QByteArray("<!DOCTYPE snp300 [<!ENTITY v \"1_3_0\">]><snp300><listItem><name>"
                      "snp300_&v;.quenmarksnpfmr</name></listItem></snp300>")
        << "" << Unchanged;
    QTest::newRow("names 256 levels deep") << QByteArray(
        "<snp300>" + QByteArray("<a>").repeated(253) + "<listItem><name>" + Fmr130.toUtf8()
        + "</name></listItem>" + QByteArray("</a>").repeated(253) + "</snp300>")
                                           << Fmr130 << "1.3.0";
    QTest::newRow("names 257 levels deep") << QByteArray(
        "<snp300>" + QByteArray("<a>").repeated(254) + "<listItem><name>" + Fmr130.toUtf8()
        + "</name></listItem>" + QByteArray("</a>").repeated(254) + "</snp300>")
                                           << "" << Unchanged;
    // Names are read without namespaces, as the document parser reads them: an undeclared prefix
    // is a plain name, and the depth behind it is still counted.
    QTest::newRow("undeclared prefix") << QByteArray(
        "<snp300><q:x/><listItem><name>" + Fmr130.toUtf8() + "</name></listItem></snp300>")
                                       << Fmr130 << "1.3.0";
    QTest::newRow("undeclared prefix, then 257 levels") << QByteArray(
        "<snp300><q:x/>" + QByteArray("<a>").repeated(254) + "<listItem><name>" + Fmr130.toUtf8()
        + "</name></listItem>" + QByteArray("</a>").repeated(254) + "</snp300>")
                                                        << "" << Unchanged;
    QTest::newRow("cut short after the names") << QByteArray(
        "<snp300><listItem><name>" + Fmr130.toUtf8() + "</name></listItem><listItem><na")
                                               << "" << Unchanged;
}

void tst_ServerClient::listParsing()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, result);
    QFETCH(QString, available);
    ReportedVersions f;
    f.server.setListBody(body);
    QString availableVersion = Unchanged;
    QCOMPARE(f.window->queryFirmwareServer(false, &availableVersion, false), result);
    QCOMPARE(availableVersion, available);
}

void tst_ServerClient::downloadStoresTheNewestImage()
{
    ReportedVersions f;
    f.addServerImage(Fmr123, "old\n");
    f.addServerImage(Fmr130, "first\n");

    QString available;
    const QString path = f.window->queryFirmwareServer(false, &available, true);
    const QString expectedPath = f.home.documentsPath() + '/' + Fmr130;
    QCOMPARE(path, expectedPath);
    QCOMPARE(available, QString("1.3.0"));
    QCOMPARE(f.server.requests().size(), 2);
    QCOMPARE(f.server.requests().at(1).body,
             QByteArray("user=opsr&pwd=rdox4%25bnT&service=get&name=" + Fmr130.toUtf8()));
    QFile stored(path);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("first\n"));
    stored.close();

    // A second download of the same name replaces the file.
    f.addServerImage(Fmr130, "second, longer\n");
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), expectedPath);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("second, longer\n"));
    // Nothing else is left in the Documents folder (no temporary files).
    QCOMPARE(QDir(f.home.documentsPath()).entryList(QDir::Files | QDir::Hidden),
             QStringList { Fmr130 });
}

void tst_ServerClient::downloadFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("empty body") << "empty";
    QTest::newRow("target is a folder") << "folder";
    QTest::newRow("documents is a file") << "documents-file";
}

void tst_ServerClient::downloadFailures()
{
    QFETCH(QString, fault);
    ReportedVersions f;
    f.addServerImage(Fmr130, "new image\n");
    const QString target = f.home.documentsPath() + '/' + Fmr130;
    if (fault == "empty") {
        f.addDocument(Fmr130, "earlier image\n");
        f.server.setEmptyDownload(true);
    } else if (fault == "folder") {
        QVERIFY(QDir().mkpath(target));
    } else {
        QVERIFY(QDir(f.home.documentsPath()).removeRecursively());
        QFile blocker(f.home.documentsPath());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }

    QString available;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), QString());
    QCOMPARE(available, QString("1.3.0"));
    if (fault == "empty") {
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier image\n"));
        QVERIFY(f.logLines().isEmpty());
    } else {
        QVERIFY(!QFileInfo(target).isFile());
        QCOMPARE(f.logLines().size(), 1);
        QVERIFY2(f.logLines().first().startsWith("Cannot store the downloaded image " + target),
                 qPrintable(f.logLines().first()));
    }
    if (fault != "documents-file") {
        const QStringList left
            = QDir(f.home.documentsPath())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(left, QStringList { Fmr130 });
    }
}

void tst_ServerClient::unsafeNamesAreNeverCandidates()
{
    ReportedVersions f;
    const QStringList hostile
        = { "../snp300_9_9_9.quenmarksnpfmr", "/tmp/snp300_9_9_8.quenmarksnpfmr",
            "..\\snp300_9_9_7.quenmarksnpfmr", "C:snp300_9_9_6.quenmarksnpfmr",
            "sub/dir_9_9_5.quenmarksnpfmr" };
    f.server.setListBody(listOf(hostile + QStringList { Fmr130 }));
    QString available;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, false), Fmr130);
    QCOMPARE(available, QString("1.3.0"));

    f.server.setListBody(listOf(hostile));
    available = Unchanged;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), QString());
    QCOMPARE(available, Unchanged);
    QCOMPARE(f.server.requests().size(), 2); // no download was asked for
}

void tst_ServerClient::unansweredListTakesTheWholeWait_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("cause");
    QTest::newRow("connection refused")
        << "refused"
        << "could not be reached for the list request (Connection refused)";
    QTest::newRow("HTTP error") << "500"
                                << "failed to answer the list request (HTTP 500 Internal Server "
                                   "Error): the fault is the server's own, try again later.";
    QTest::newRow("forbidden") << "403"
                               << "refused the program's account for the list request (HTTP 403 "
                                  "Forbidden): the account built into the program or the "
                                  "server's configuration must be renewed.";
}

void tst_ServerClient::unansweredListTakesTheWholeWait()
{
    QFETCH(QString, fault);
    QFETCH(QString, cause);
    ReportedVersions f;
    f.addServerImage(Fmr130, "x\n");
    QString server = f.server.baseUrl();
    if (fault == "refused") {
        server = "http://127.0.0.1:" + QString::number(closedPort());
        qputenv("SNP300_FIRMWARE_SERVER", server.toUtf8());
    } else
        f.server.setForcedStatus(fault.toInt());
    QString available = Unchanged;
    // The wait shows the busy cursor, which goes when the wait fails.
    Qt::CursorShape cursorDuringTheWait = Qt::ArrowCursor;
    QTimer::singleShot(1000, f.window.get(), [&cursorDuringTheWait] {
        if (QApplication::overrideCursor())
            cursorDuringTheWait = QApplication::overrideCursor()->shape();
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), QString("NoRequestResponse"));
    QVERIFY2(clock.elapsed() >= 4500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(available, Unchanged);
    QCOMPARE(cursorDuringTheWait, Qt::BusyCursor);
    QVERIFY(!QApplication::overrideCursor());
    // Why, in one line.
    QCOMPARE(f.logLines().size(), 1);
    QVERIFY2(f.logLines().first().startsWith("The firmware server " + server + ' '),
             qPrintable(f.logLines().first()));
    QVERIFY2(f.logLines().first().contains(cause), qPrintable(f.logLines().first()));
}

void tst_ServerClient::lateListReplyIsNotTakenForTheDownload()
{
    ReportedVersions f;
    f.addServerImage(Fmr130, "the real image\n");

    // The first list request is answered only after its wait has ended ...
    f.server.setDelayMs(5600);
    QString available;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), QString("NoRequestResponse"));

    // ... and its reply arrives while the next call waits for its download.
    f.server.setDelayMs(0);
    f.server.setDownloadDelayMs(2000);
    const QString path = f.window->queryFirmwareServer(false, &available, true);
    QCOMPARE(path, f.home.documentsPath() + '/' + Fmr130);
    QFile stored(path);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("the real image\n"));
}

void tst_ServerClient::queriesLeaveNoNetworkManagersBehind()
{
    // Each manager has a network thread of its own: a window that stays open all day must not
    // gather one per query.
    ReportedVersions f;
    f.addServerImage(Fmr130, "image\n");
    for (int i = 0; i < 5; ++i) {
        QString available;
        QVERIFY(!f.window->queryFirmwareServer(false, &available, true).isEmpty());
    }
    QTRY_COMPARE_WITH_TIMEOUT(f.window->findChildren<QNetworkAccessManager *>().size(), 0, 5000);
}

void tst_ServerClient::endlessListIsRefused_data()
{
    addEndlessReplies(4 * 1024 * 1024);
}

// A list that never ends is refused as soon as it passes 4 MiB, long before the list wait ends,
// and told in one line; the memory stays bounded. The server runs as a process of its own, as
// fast as it can send.
void tst_ServerClient::endlessListIsRefused()
{
    QFETCH(QString, how);
    QFETCH(QString, size);
    ReportedVersions f;
    f.addServerImage(Fmr130, "x\n");
    FirmwareServerProcess server(QFileInfo(f.serverImagePath(Fmr130)).path(),
                                 { "--endless-list", how, "--quiet" });
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));
    qputenv("SNP300_FIRMWARE_SERVER", server.baseUrl().toUtf8());
    QString available = Unchanged;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), QString());
    QVERIFY2(clock.elapsed() < 4500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(available, Unchanged);
    QCOMPARE(f.logLines(),
             QStringList { refusal(server.baseUrl(), "the list request", "4 MiB", "a file list",
                                   size, "Nothing of it was used.") });
    QVERIFY(!QApplication::overrideCursor());
    verifyPeakMemoryBounded();
}

// 4 MiB of list is read; one byte more is refused.
void tst_ServerClient::listAtTheBound()
{
    ReportedVersions f;
    const QByteArray list = listOf({ Fmr130 });
    const QByteArray padding(4 * 1024 * 1024 - list.size(), ' ');
    f.server.setListBody(list.left(list.size() - 4) + padding + "<hr>");
    QString available;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, false), Fmr130);
    QVERIFY(f.logLines().isEmpty());

    f.server.setListBody(list.left(list.size() - 4) + padding + " <hr>");
    available = Unchanged;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, false), QString());
    QCOMPARE(available, Unchanged);
    QCOMPARE(f.logLines(),
             QStringList { refusal(f.server.baseUrl(), "the list request", "4 MiB", "a file list",
                                   "it announced 4194305 bytes", "Nothing of it was used.") });
}

void tst_ServerClient::endlessDownloadIsRefused_data()
{
    addEndlessReplies(64 * 1024 * 1024);
}

// An image that never ends is refused as soon as it passes 64 MiB, long before the download wait
// ends: nothing is stored and nothing starts. The bar shows the download while it runs.
void tst_ServerClient::endlessDownloadIsRefused()
{
    QFETCH(QString, how);
    QFETCH(QString, size);
    WindowFixture f;
    f.addServerImage(Fmr130, "x\n");
    FirmwareServerProcess server(QFileInfo(f.serverImagePath(Fmr130)).path(),
                                 { "--endless-download", how, "--quiet" });
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));
    qputenv("SNP300_FIRMWARE_SERVER", server.baseUrl().toUtf8());
    QVERIFY(f.connectAndReadVersions());
    QVERIFY(f.waitForLogLine("Device ready to start update"));
    const int linesBefore = f.logLines().size();
    f.device.clearReceived();

    QStringList barTexts;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&f, &barTexts] {
        if (barTexts.value(barTexts.size() - 1) != f.progressBar()->text())
            barTexts.append(f.progressBar()->text());
    });
    sampler.start(5);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    sampler.stop();
    QVERIFY2(clock.elapsed() < 40000, qPrintable(QString::number(clock.elapsed())));

    const QString refused = refusal(server.baseUrl(), "the download of " + Fmr130, "64 MiB",
                                    "an image", size, "Nothing was stored.");
    QCOMPARE(f.logLines().mid(linesBefore),
             (QStringList { refused, "Server not available or firmware already up to date" }));
    QCOMPARE(QDir(f.home.documentsPath()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(f.upgradeButton()->isEnabled());
    QTest::qWait(200);
    QVERIFY(!f.device.received().contains('\x02'));
    // The bar is as before the download.
    QCOMPARE(f.progressBar()->format(), QString("%p%"));
    QCOMPARE(f.progressBar()->value(), 0);
    if (how == "chunked") {
        static const QRegularExpression running("^Downloading " + QRegularExpression::escape(Fmr130)
                                                + ": [\\d.]+ (KiB|MiB) so far$");
        QVERIFY2(!barTexts.filter(running).isEmpty(), qPrintable(barTexts.join('|')));
    }
    verifyPeakMemoryBounded();
}

// Behind a company proxy: the program asks the system (on Linux http_proxy) and sends its
// requests through the proxy. The local server stands in for the proxy, answering the requests
// that reach it in the absolute form a proxy gets.
void tst_ServerClient::systemProxyIsUsed()
{
    ReportedVersions f;
    f.addServerImage(Fmr130, "x\n");
    const auto saved = [](const char *name) {
        return qMakePair(QByteArray(name),
                         qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                         : std::nullopt);
    };
    const QList<QPair<QByteArray, std::optional<QByteArray>>> environment
        = { saved("http_proxy"), saved("no_proxy") };
    const auto restore = qScopeGuard([&environment] {
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        for (const auto &variable : environment) {
            if (variable.second)
                qputenv(variable.first.constData(), *variable.second);
            else
                qunsetenv(variable.first.constData());
        }
    });
    qputenv("http_proxy", f.server.baseUrl().toUtf8());
    qunsetenv("no_proxy");
    // A host that no name service knows: only the proxy can reach it.
    qputenv("SNP300_FIRMWARE_SERVER", "http://firmware.snp300.invalid:8300");
    ServerConfig::useSystemProxy();

    QString available;
    QCOMPARE(f.window->queryFirmwareServer(false, &available, false), Fmr130);
    QCOMPARE(available, QString("1.3.0"));
    QCOMPARE(f.server.requests().size(), 1);
    QVERIFY(f.server.requests().first().proxied);
}

// A whole upgrade with the image from a server reached over HTTPS, its certificate authority
// named at run time.
void tst_ServerClient::upgradeOverHttps()
{
    WindowFixture f(quickDevice());
    QVERIFY(f.server.setTlsCertificate(certificates().path("trusted.pem"),
                                       certificates().path("trusted.key")));
    f.addServerImage(Fmr130, hexImage(3));
    qputenv("SNP300_FIRMWARE_SERVER", f.server.baseUrl().toUtf8());
    qputenv("SNP300_SERVER_CA", certificates().path("ca.pem").toUtf8());
    const auto unname = qScopeGuard([] { qunsetenv("SNP300_SERVER_CA"); });
    QVERIFY(f.server.baseUrl().startsWith("https://"));

    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    const QString path = f.home.documentsPath() + '/' + Fmr130;
    QVERIFY(f.logLines().contains("Start update using file: " + path));
    QFile stored(path);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), hexImage(3));
    QVERIFY(f.server.requests().size() >= 3); // the bootloader's list, the list, the download
    QCOMPARE(f.server.requests().last().field("name"), Fmr130);
}

void tst_ServerClient::certificateThatCannotBeCheckedIsTold_data()
{
    QTest::addColumn<QString>("certificate");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("fault");
    QTest::newRow("authority not named") << "trusted" << false << "is not trusted";
    QTest::newRow("expired") << "expired" << true << "expired on 2021-01-01";
    QTest::newRow("issued for another name") << "wrongname" << true << "another name";
}

// The window's results and waits stay as for a server that does not answer; the cause comes
// first, and nothing reached the server.
void tst_ServerClient::certificateThatCannotBeCheckedIsTold()
{
    QFETCH(QString, certificate);
    QFETCH(bool, named);
    QFETCH(QString, fault);
    ReportedVersions f;
    QVERIFY(f.server.setTlsCertificate(certificates().path(certificate + ".pem"),
                                       certificates().path(certificate + ".key")));
    f.addServerImage(Fmr130, "x\n");
    qputenv("SNP300_FIRMWARE_SERVER", f.server.baseUrl().toUtf8());
    if (named)
        qputenv("SNP300_SERVER_CA", certificates().path("ca.pem").toUtf8());
    const auto unname = qScopeGuard([] { qunsetenv("SNP300_SERVER_CA"); });

    QString available = Unchanged;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(f.window->queryFirmwareServer(false, &available, true), QString("NoRequestResponse"));
    QVERIFY2(clock.elapsed() >= 4500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(available, Unchanged);
    QCOMPARE(f.logLines().size(), 1);
    const QString told = f.logLines().first();
    QVERIFY2(told.startsWith("The identity of the firmware server " + f.server.baseUrl()
                             + " could not be checked, so nothing was sent to it: "),
             qPrintable(told));
    QVERIFY2(told.contains(fault), qPrintable(told));
    QVERIFY(f.server.requests().isEmpty());
}

QTEST_MAIN(tst_ServerClient)
#include "tst_serverclient.moc"

// snp300-upgrade run as a process, as a production line runs it: simulated SNP300s on
// pseudo-terminals and the firmware server on 127.0.0.1, in this test's event loop. What each
// device received, byte for byte, the JSON it printed, the exit status and the record.

#include "firmwareserverprocess.h"
#include "ptydevice.h"
#include "temphome.h"
#include "testdata.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>

namespace {

const int RunTimeoutMs = 120000;

// Every line as read in text mode, then CR LF.
QByteArray sentAsStored(const QByteArray &image)
{
    QByteArray wire;
    for (const QByteArray &line : image.split('\n')) {
        if (!line.isEmpty())
            wire += line + "\n\r\n";
    }
    return wire;
}

// From the connect to the port's close after the device's restart: the version request twice
// (the first answer is dropped), the upgrade, the cancel that starts the application and the
// one of the close.
QByteArray wholeUpgrade(const QByteArray &image)
{
    return VersionRequest + VersionRequest + QByteArray("\x02\x02UNLOCK\r\r\nEYP")
        + sentAsStored(image) + '\x18' + '\x18';
}

// The versions read, nothing else: the cancel of the close.
QByteArray versionsOnly()
{
    return VersionRequest + VersionRequest + '\x18';
}

struct Run
{
    int exitCode = -1;
    QList<QJsonObject> objects; // standard output, one object per line
    QByteArray standardError;

    QJsonObject result(const QString &port) const
    {
        for (const QJsonObject &object : objects) {
            if (object.value("event") == "result" && object.value("port") == port)
                return object;
        }
        return QJsonObject();
    }
};

} // namespace

class tst_UpgradeCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneDevice();
    void fourDevicesAtOnce();
    void upToDate();
    void bootloaderFirst();
    void damagedImageIsRefused();
    void silentDeviceIsGivenUp();
    void ctrlCTwiceInterrupts();
    void noTerminalWithoutYes();

private:
    QString program() const;
    QString writeImage(const QString &name, const QByteArray &content);
    void start(const QStringList &arguments);
    bool finish(Run *run, int timeoutMs = RunTimeoutMs);
    QList<QStringList> historyRows() const;
    QString logText() const;

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QTemporaryDir> m_serverImages;
    std::unique_ptr<QProcess> m_process;
};

void tst_UpgradeCommand::init()
{
    m_home = std::make_unique<TempHome>();
    QVERIFY(m_home->isValid());
    m_serverImages = std::make_unique<QTemporaryDir>();
    QVERIFY(m_serverImages->isValid());
}

void tst_UpgradeCommand::cleanup()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_process.reset();
    m_serverImages.reset();
    m_home.reset();
}

QString tst_UpgradeCommand::program() const
{
    return QCoreApplication::applicationDirPath() + "/snp300-upgrade";
}

QString tst_UpgradeCommand::writeImage(const QString &name, const QByteArray &content)
{
    const QString path = m_serverImages->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

void tst_UpgradeCommand::start(const QStringList &arguments)
{
    m_process = std::make_unique<QProcess>();
    m_process->start(program(), arguments);
}

// The devices and the server answer in this process's event loop while it waits.
bool tst_UpgradeCommand::finish(Run *run, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (m_process->state() != QProcess::NotRunning && clock.elapsed() < timeoutMs)
        QTest::qWait(20);
    if (m_process->state() != QProcess::NotRunning)
        return false;
    run->exitCode = m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
    run->standardError = m_process->readAllStandardError();
    for (const QByteArray &line : m_process->readAllStandardOutput().split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(line);
        if (!document.isObject()) {
            qWarning("not a JSON object on standard output: %s", line.constData());
            return false;
        }
        run->objects << document.object();
    }
    return true;
}

QList<QStringList> tst_UpgradeCommand::historyRows() const
{
    QFile file(m_home->documentsPath() + "/Corvane/SNP300 Upgrader/History.csv");
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            rows << QString::fromUtf8(line.trimmed()).split(',');
    }
    return rows;
}

QString tst_UpgradeCommand::logText() const
{
    const QDir logs(m_home->documentsPath() + "/Corvane/SNP300 Upgrader/Logs");
    QString text;
    for (const QString &name : logs.entryList({ "*.log" }, QDir::Files)) {
        QFile file(logs.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

void tst_UpgradeCommand::oneDevice()
{
    // The bootloader is the server's newest: the application image is programmed.
    PtyDevice device(quickDevice("1.2.9", "1.0.15"));
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    const QByteArray image = hexImage(40);
    const QString imagePath = writeImage("snp300_1_3_0.quenmarksnpfmr", image);
    writeImage(Btl015, hexImage(3));
    FirmwareServerProcess server(m_serverImages->path());
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));

    start({ "--yes", "--json", "--server", server.baseUrl(), "--image", imagePath,
            device.portName() });
    Run run;
    QVERIFY(finish(&run));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(device.received(), wholeUpgrade(image));

    const QJsonObject result = run.result(device.portName());
    QCOMPARE(result.value("result").toString(), QString("completed"));
    QCOMPARE(result.value("cause").toString(), QString());
    QCOMPARE(result.value("app_before").toString(), QString("1.2.9"));
    QCOMPARE(result.value("bootloader_before").toString(), QString("1.0.15"));
    QCOMPARE(result.value("image").toString(), imagePath);
    QCOMPARE(result.value("sha256").toString(),
             QString(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()));
    QVERIFY(result.value("seconds").toDouble() > 0);
    // The result is the device's last word.
    QCOMPARE(run.objects.last(), result);

    const QList<QStringList> history = historyRows();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.at(1).at(9), QString("completed"));
    QVERIFY(logText().contains(device.portName() + ": UPGRADE IS DONE"));
}

void tst_UpgradeCommand::fourDevicesAtOnce()
{
    Snp300Options options = quickDevice("1.2.9", "1.0.15");
    options.replyDelayMs = 1;
    std::vector<std::unique_ptr<PtyDevice>> devices;
    QStringList ports;
    for (int i = 0; i < 4; ++i) {
        devices.push_back(std::make_unique<PtyDevice>(options));
        QVERIFY2(devices.back()->isOpen(), qPrintable(devices.back()->errorString()));
        ports << devices.back()->portName();
    }
    const QByteArray image = hexImage(200);
    writeImage(Fmr130, image);
    writeImage(Btl015, hexImage(3));
    FirmwareServerProcess server(m_serverImages->path());
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));

    start(QStringList { "--yes", "--json", "--server", server.baseUrl() } + ports);
    Run run;
    QVERIFY(finish(&run));
    QVERIFY2(run.exitCode == 0, run.standardError.constData());
    for (const auto &device : devices) {
        QCOMPARE(device->received(), wholeUpgrade(image));
        QCOMPARE(run.result(device->portName()).value("result").toString(), QString("completed"));
    }
    // Asked once, downloaded once, for all four.
    const QStringList requests = server.requestLines();
    QCOMPARE(requests.filter("service=list").size(), 1);
    QCOMPARE(requests.filter("service=get").size(), 1);
    QCOMPARE(historyRows().size(), 5);
}

void tst_UpgradeCommand::upToDate()
{
    PtyDevice device(quickDevice("1.3.0", "1.0.15"));
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    writeImage(Fmr130, hexImage(5));
    writeImage(Btl015, hexImage(3));
    FirmwareServerProcess server(m_serverImages->path());
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));

    start({ "--yes", "--json", "--server", server.baseUrl(), device.portName() });
    Run run;
    QVERIFY(finish(&run));
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.result(device.portName()).value("result").toString(), QString("up-to-date"));
    QCOMPARE(device.received(), versionsOnly());
    QCOMPARE(server.requestLines().filter("service=get").size(), 0);
}

void tst_UpgradeCommand::bootloaderFirst()
{
    // The server's bootloader 1.0.15 is newer than the device's: it goes first.
    PtyDevice device(quickDevice("1.2.9", "1.0.14"));
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    const QByteArray bootloader = hexImage(12);
    writeImage(Fmr130, hexImage(5));
    writeImage(Btl015, bootloader);
    FirmwareServerProcess server(m_serverImages->path());
    QVERIFY2(server.isRunning(), qPrintable(server.errorString()));

    start({ "--yes", "--json", "--server", server.baseUrl(), device.portName() });
    Run run;
    QVERIFY(finish(&run));
    QCOMPARE(run.exitCode, 3);
    QCOMPARE(run.result(device.portName()).value("result").toString(),
             QString("bootloader-updated"));
    QCOMPARE(device.received(), wholeUpgrade(bootloader));
    QCOMPARE(historyRows().last().at(4), QString("bootloader"));
}

void tst_UpgradeCommand::damagedImageIsRefused()
{
    PtyDevice device(quickDevice("1.2.9", "1.0.15"));
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    QByteArray image = hexImage(10);
    // A checksum digit of a line in the middle, changed.
    const int digit = image.indexOf('\n', 100) - 1;
    image[digit] = image.at(digit) == '0' ? '1' : '0';
    const QString imagePath = writeImage("damaged.hex", image);

    start({ "--yes", "--json", "--server", "http://127.0.0.1:9", "--image", imagePath,
            device.portName() });
    Run run;
    QVERIFY(finish(&run));
    QCOMPARE(run.exitCode, 1);
    const QJsonObject result = run.result(device.portName());
    QCOMPARE(result.value("result").toString(), QString("refused"));
    QVERIFY2(result.value("cause").toString().contains("damaged"),
             qPrintable(result.value("cause").toString()));
    // Nothing of the upgrade went to the device.
    QCOMPARE(device.received(), versionsOnly());
    QCOMPARE(historyRows().last().at(9), QString("refused"));
}

void tst_UpgradeCommand::silentDeviceIsGivenUp()
{
    Snp300Options options = quickDevice("1.2.9", "1.0.15");
    options.stallAfterLines = 5;
    PtyDevice device(options);
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    const QString imagePath = writeImage("image.hex", hexImage(40));

    start({ "--yes", "--json", "--server", "http://127.0.0.1:9", "--silence-limit", "2", "--image",
            imagePath, device.portName() });
    Run run;
    QVERIFY(finish(&run, 30000));
    QCOMPARE(run.exitCode, 1);
    const QJsonObject result = run.result(device.portName());
    QCOMPARE(result.value("result").toString(), QString("interrupted"));
    QVERIFY2(result.value("cause").toString().contains("answered nothing for 2 s"),
             qPrintable(result.value("cause").toString()));
    QVERIFY(device.received().endsWith('\x18'));
    QCOMPARE(historyRows().last().at(9), QString("interrupted"));
}

void tst_UpgradeCommand::ctrlCTwiceInterrupts()
{
    Snp300Options options = quickDevice("1.2.9", "1.0.15");
    options.replyDelayMs = 5;
    PtyDevice device(options);
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    const QString imagePath = writeImage("image.hex", hexImage(2000));

    start({ "--yes", "--json", "--server", "http://127.0.0.1:9", "--image", imagePath,
            device.portName() });
    QTRY_VERIFY_WITH_TIMEOUT(device.device().programmedLines().size() > 20, 30000);
    ::kill(pid_t(m_process->processId()), SIGINT);
    QByteArray told;
    QTRY_VERIFY_WITH_TIMEOUT(
        (told += m_process->readAllStandardError()).contains("again within 5 s"), 10000);
    // The first one only warns: programming goes on.
    const int linesAtWarning = device.device().programmedLines().size();
    QTRY_VERIFY_WITH_TIMEOUT(device.device().programmedLines().size() > linesAtWarning + 5, 10000);
    ::kill(pid_t(m_process->processId()), SIGINT);

    Run run;
    QVERIFY(finish(&run, 30000));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.result(device.portName()).value("result").toString(), QString("interrupted"));
    QVERIFY(device.device().programmedLines().size() < 2000);
    QVERIFY(device.received().endsWith('\x18'));
    QCOMPARE(historyRows().last().at(9), QString("interrupted"));
}

void tst_UpgradeCommand::noTerminalWithoutYes()
{
    PtyDevice device(quickDevice());
    QVERIFY2(device.isOpen(), qPrintable(device.errorString()));
    // Standard input is a pipe here, not a terminal.
    start({ "--json", device.portName() });
    Run run;
    QVERIFY(finish(&run, 30000));
    QCOMPARE(run.exitCode, 64);
    QVERIFY2(run.standardError.contains("--yes"), run.standardError.constData());
    QVERIFY(run.objects.isEmpty());
    QCOMPARE(device.received(), QByteArray());
}

QTEST_GUILESS_MAIN(tst_UpgradeCommand)
#include "tst_upgradecommand.moc"

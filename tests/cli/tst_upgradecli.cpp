// The pieces of snp300-upgrade that decide without a device: the exit status of a run's
// results, the command line, the progress text.

#include "exitstatus.h"
#include "upgradeoptions.h"
#include "upgradereporter.h"

#include <QTemporaryFile>
#include <QtTest>

using Result = DeviceOutcome::Result;
Q_DECLARE_METATYPE(QList<DeviceOutcome::Result>)

class tst_UpgradeCli : public QObject
{
    Q_OBJECT

private slots:
    void exitStatus_data();
    void exitStatus();
    void commandLine_data();
    void commandLine();
    void progressText();

private:
    QTemporaryFile m_image;
};

void tst_UpgradeCli::exitStatus_data()
{
    QTest::addColumn<QList<Result>>("results");
    QTest::addColumn<int>("status");

    QTest::newRow("one completed") << QList<Result> { Result::Completed } << 0;
    QTest::newRow("completed and up to date")
        << QList<Result> { Result::UpToDate, Result::Completed } << 0;
    QTest::newRow("all up to date") << QList<Result> { Result::UpToDate, Result::UpToDate } << 2;
    QTest::newRow("bootloader updated") << QList<Result> { Result::BootloaderUpdated } << 3;
    QTest::newRow("bootloader, completed, up to date")
        << QList<Result> { Result::Completed, Result::BootloaderUpdated, Result::UpToDate } << 3;
    // One device that did not end well outweighs every other.
    QTest::newRow("refused among completed")
        << QList<Result> { Result::Completed, Result::Refused, Result::Completed } << 1;
    QTest::newRow("failed among up to date")
        << QList<Result> { Result::UpToDate, Result::Failed } << 1;
    QTest::newRow("interrupted after a bootloader")
        << QList<Result> { Result::BootloaderUpdated, Result::Interrupted } << 1;
    QTest::newRow("nothing at all") << QList<Result> {} << 1;
}

void tst_UpgradeCli::exitStatus()
{
    QFETCH(QList<Result>, results);
    QFETCH(int, status);
    QCOMPARE(ExitStatus::forResults(results), status);
}

void tst_UpgradeCli::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QString>("said"); // part of the error, or the ports read

    QVERIFY(m_image.open());
    const QString imagePath = m_image.fileName();

    QTest::newRow("ports") << QStringList { "--yes", "--json", "COM3", "COM4" } << true
                           << "COM3,COM4";
    QTest::newRow("image") << QStringList { "--image", imagePath, "COM3" } << true << "COM3";
    QTest::newRow("no port") << QStringList { "--yes" } << false << "Name the serial port";
    QTest::newRow("a port twice") << QStringList { "COM3", "COM3" } << false
                                  << "COM3 is named twice";
    QTest::newRow("unknown option") << QStringList { "--force", "COM3" } << false << "force";
    QTest::newRow("missing image")
        << QStringList { "--image", "/no/such/image", "COM3" } << false << "not a file that exists";
    QTest::newRow("server without scheme")
        << QStringList { "--server", "firmware.example.com", "COM3" } << false << "https://";
    QTest::newRow("silence limit zero")
        << QStringList { "--silence-limit", "0", "COM3" } << false << "from 1 to 3600";
    QTest::newRow("list ports with a port")
        << QStringList { "--list-ports", "COM3" } << false << "takes no port";
}

void tst_UpgradeCli::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, usable);
    QFETCH(QString, said);

    UpgradeOptions options;
    QCOMPARE(options.parse(QStringList { "snp300-upgrade" } + arguments), usable);
    if (usable)
        QCOMPARE(options.ports().join(','), said);
    else
        QVERIFY2(options.errorString().contains(said), qPrintable(options.errorString()));
}

void tst_UpgradeCli::progressText()
{
    QCOMPARE(UpgradeReporter::progressText(30, 60, QString()), QString("50%"));
    QCOMPARE(UpgradeReporter::progressText(1, 3, "%p% - about 2 min left"),
             QString("33% - about 2 min left"));
    QCOMPARE(UpgradeReporter::progressText(0, 0, QString()), QString("0%"));
}

QTEST_GUILESS_MAIN(tst_UpgradeCli)
#include "tst_upgradecli.moc"

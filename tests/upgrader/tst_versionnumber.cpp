#include "serverfilename.h"
#include "versionnumber.h"

#include <QtTest>
#include <algorithm>

class tst_VersionNumber : public QObject
{
    Q_OBJECT

private slots:
    void deviceVersion_data();
    void deviceVersion();
    void serverFileName_data();
    void serverFileName();
    void newestFirst();
    void candidates_data();
    void candidates();
};

void tst_VersionNumber::deviceVersion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("bootloader threshold") << "1.0.14" << 1014;
    QTest::newRow("three fields") << "1.2.3" << 1203;
    QTest::newRow("two fields") << "1.2" << 1200;
    QTest::newRow("one field") << "2" << 2000;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("empty middle field") << "1..3" << 1003;
    QTest::newRow("letters in major") << "x1.2.3" << 203;
    QTest::newRow("fourth field ignored") << "1.2.3.4" << 1203;
    QTest::newRow("minor carries into major") << "1.10.0" << 2000;
    QTest::newRow("patch carries into minor") << "1.0.100" << 1100;
    QTest::newRow("too large a field") << "99999999999.0.1" << 1;
    QTest::newRow("negative field") << "1.-1.0" << 900;
    QTest::newRow("largest that fits") << "2147483.6.47" << 2147483647;
    QTest::newRow("beyond int saturates") << "2147484.0.0" << 2147483647;
    QTest::newRow("minor beyond int saturates") << "1.21474837.0" << 2147483647;
    QTest::newRow("below int saturates") << "-2147484.0.0" << int(-2147483647 - 1);
}

void tst_VersionNumber::deviceVersion()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(versionNumber(text), number);
}

void tst_VersionNumber::serverFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hasVersion");
    QTest::newRow("plain") << "snp300_1_2_3.quenmarksnpfmr" << 1203 << "1.2.3" << true;
    QTest::newRow("leading zeros kept in text")
        << "snp300_01_02_003.quenmarksnpfmr" << 1203 << "01.02.003" << true;
    QTest::newRow("no dot: whole name is the head") << "snp300_2_0_1" << 2001 << "2.0.1" << true;
    QTest::newRow("only the head counts") << "snp300_1_2_3.4_5" << 1203 << "1.2.3" << true;
    QTest::newRow("dot before the last underscore: short head")
        << "snp300_1_2.3_x.quenmarksnpfmr" << 1200 << "1.2." << true;
    QTest::newRow("head of two fields") << "snp300_7.1_2_quenmarksnpfmr" << 7000 << "7.." << false;
    QTest::newRow("head of one field") << "snp300.1_2_3_quenmarksnpfmr" << 0 << ".." << false;
    QTest::newRow("empty") << "" << 0 << ".." << false;
    QTest::newRow("letters") << "snp300_a_b_c.quenmarksnpfmr" << 0 << "a.b.c" << true;
    QTest::newRow("beyond int saturates")
        << "snp300_2147484_0_0.quenmarksnpfmr" << 2147483647 << "2147484.0.0" << true;
}

void tst_VersionNumber::serverFileName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(bool, hasVersion);
    QCOMPARE(serverFileVersionNumber(name), number);
    QCOMPARE(serverFileVersionText(name), text);
    QCOMPARE(hasServerFileVersion(name), hasVersion);
}

void tst_VersionNumber::newestFirst()
{
    QStringList names = { "snp300_1_2_3.x", "snp300_2_0_0.x", "snp300_1_9_9.x" };
    std::sort(names.begin(), names.end(), newerServerFileFirst);
    QCOMPARE(names.first(), QString("snp300_2_0_0.x"));
    QCOMPARE(names.last(), QString("snp300_1_2_3.x"));
    QVERIFY(!newerServerFileFirst("snp300_1_10_0.x", "snp300_2_0_0.x"));
    QVERIFY(!newerServerFileFirst("snp300_2_0_0.x", "snp300_1_10_0.x"));
}

void tst_VersionNumber::candidates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("serviceId");
    QTest::addColumn<bool>("candidate");
    const QString fmr = "quenmarksnpfmr";
    const QString btl = "quenmarksnpbtl";
    QTest::newRow("firmware") << "snp300_1_2_3.quenmarksnpfmr" << fmr << true;
    QTest::newRow("bootloader") << "snp300_1_0_15.quenmarksnpbtl" << btl << true;
    QTest::newRow("other kind") << "snp300_1_0_15.quenmarksnpbtl" << fmr << false;
    QTest::newRow("firmware asked as bootloader") << "snp300_1_2_3.quenmarksnpfmr" << btl << false;
    QTest::newRow("backup") << "snp300_1_2_3.quenmarksnpfmr.bak" << fmr << false;
    QTest::newRow("two underscores") << "snp300_1_2.quenmarksnpfmr" << fmr << false;
    QTest::newRow("four underscores") << "snp_300_1_2_3.quenmarksnpfmr" << fmr << false;
    QTest::newRow("case of the service id") << "snp300_1_2_3.QUENMARKSNPFMR" << fmr << false;
    QTest::newRow("slash") << "../snp300_1_2_3.quenmarksnpfmr" << fmr << false;
    QTest::newRow("absolute") << "/tmp/snp300_1_2_3.quenmarksnpfmr" << fmr << false;
    QTest::newRow("backslash") << "..\\snp300_1_2_3.quenmarksnpfmr" << fmr << false;
    QTest::newRow("drive") << "C:snp300_1_2_3.quenmarksnpfmr" << fmr << false;
    QTest::newRow("control character") << "snp300_1_2_3\n.quenmarksnpfmr" << fmr << false;
    QTest::newRow("C1 control character")
        << QString::fromUtf8("snp300_1_2_3\xc2\x85.quenmarksnpfmr") << fmr << false;
    QTest::newRow("right-to-left override")
        << QString::fromUtf8("snp300_1_2_3\xe2\x80\xae.quenmarksnpfmr") << fmr << false;
    QTest::newRow("trailing dot") << "snp300_1_2_3.quenmarksnpfmr."
                                  << "quenmarksnpfmr." << false;
    QTest::newRow("device name") << "NUL_1_2_3.quenmarksnpfmr" << fmr << true;
    QTest::newRow("reserved device") << "nul.snp300_1_2_3quenmarksnpfmr" << fmr << false;
}

void tst_VersionNumber::candidates()
{
    QFETCH(QString, name);
    QFETCH(QString, serviceId);
    QFETCH(bool, candidate);
    QCOMPARE(isServerFileCandidate(name, serviceId), candidate);
}

QTEST_APPLESS_MAIN(tst_VersionNumber)
#include "tst_versionnumber.moc"

#include "logretention.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The creation time as the file system keeps it, or the nearest time it does keep.
QDateTime creationTime(const QString &path)
{
    const QFileInfo info(path);
    return info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime();
}

bool createFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x\n") == 2;
}

} // namespace

class tst_LogRetention : public QObject
{
    Q_OBJECT

private slots:
    void cutOffAgainstCreationTime_data();
    void cutOffAgainstCreationTime();
    void foldersAndTheirContentsStay();
    void missingFolderIsHarmless();
};

void tst_LogRetention::cutOffAgainstCreationTime_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("cutOffAfterCreation");
    QTest::addColumn<bool>("deleted");

    const QStringList names = { QStringLiteral("2024-03-05-14-03-09.log"),
                                QStringLiteral("notes.txt"), QStringLiteral("no-suffix") };
    for (const QString &name : names) {
        const QByteArray tag = name.toUtf8();
        QTest::newRow((tag + " one second older than the cut-off").constData())
            << name << qint64(1000) << true;
        QTest::newRow((tag + " exactly at the cut-off").constData()) << name << qint64(0) << false;
        QTest::newRow((tag + " younger than the cut-off").constData())
            << name << qint64(-1000) << false;
    }
}

void tst_LogRetention::cutOffAgainstCreationTime()
{
    QFETCH(QString, name);
    QFETCH(qint64, cutOffAfterCreation);
    QFETCH(bool, deleted);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY(createFile(path));
    const QString neighbour = dir.filePath(QStringLiteral("neighbour.log"));

    const QDateTime created = creationTime(path);
    QVERIFY(created.isValid());
    cvc::deleteEntriesCreatedBefore(dir.path(), created.addMSecs(cutOffAfterCreation));
    QCOMPARE(QFile::exists(path), !deleted);

    // A file made after the cut-off is never touched.
    QVERIFY(createFile(neighbour));
    cvc::deleteEntriesCreatedBefore(dir.path(), creationTime(neighbour));
    QVERIFY(QFile::exists(neighbour));
}

void tst_LogRetention::foldersAndTheirContentsStay()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub/deeper")));
    QVERIFY(createFile(dir.filePath(QStringLiteral("sub/inner.log"))));
    QVERIFY(createFile(dir.filePath(QStringLiteral("top.log"))));

    cvc::deleteEntriesCreatedBefore(dir.path(), QDateTime::currentDateTime().addDays(1));

    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("top.log"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub/deeper"))).isDir());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("sub/inner.log"))));
    QVERIFY(QFileInfo::exists(dir.path()));
}

void tst_LogRetention::missingFolderIsHarmless()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    cvc::deleteEntriesCreatedBefore(dir.filePath(QStringLiteral("absent")),
                                    QDateTime::currentDateTime().addDays(1));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("absent"))));
}

QTEST_GUILESS_MAIN(tst_LogRetention)
#include "tst_logretention.moc"

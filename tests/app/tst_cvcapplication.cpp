#include "cvcapplication.h"
#include "snpversion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <ctime>

namespace {

// Set in the environment of a copy of this program that is to start up like the program and
// report on stdout instead of running the tests.
const char probeVariable[] = "SNP_STARTUP_PROBE";
const char appName[] = "SNP300 Upgrader";
const int processLimitMs = 60000;

int runStartUpProbe(CvcApplication &app)
{
    const bool started = app.startUp(QStringLiteral(SNP_VERSION), QStringLiteral("sextant"));
    const QByteArray report = "result=" + QByteArray(started ? "true" : "false") + '\n'
        + "cwd=" + QDir::currentPath().toUtf8() + '\n'
        + "style=" + QApplication::style()->objectName().toUtf8() + '\n';
    std::fwrite(report.constData(), 1, size_t(report.size()), stdout);
    std::fflush(stdout);
    return 0;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every brush the palette sets is in force in the application; Qt fills the roles it leaves
// open from the platform.
bool paletteInForce(const QPalette &palette)
{
    const QPalette current = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            if (palette.isBrushSet(g, r) && current.brush(g, r) != palette.brush(g, r))
                return false;
        }
    }
    return true;
}

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

QString dataFolder(const QString &home)
{
    return home + QStringLiteral("/Documents/Corvane/SNP300 Upgrader");
}

QStringList logFolderFiles(const QString &home)
{
    return QDir(dataFolder(home) + QStringLiteral("/Logs")).entryList(QDir::Files | QDir::Hidden);
}

const QRegularExpression
    logNamePattern(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d)\\.log$"));
const QRegularExpression firstLinePattern(QStringLiteral(
    "^\\[(\\d\\d:\\d\\d:\\d\\d)\\.\\d\\d\\d\\] \\[Info\\] SNP300 Upgrader 1\\.0\\.0\\n\\z"));

// The outcome of one start-up in a separate process.
struct Probe
{
    bool finished = false;
    QMap<QString, QString> report;
};

Probe runProbe(const QString &program, const QString &home, const QString &workingDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QString::fromLatin1(probeVariable), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, QStringList());

    Probe probe;
    if (!process.waitForFinished(processLimitMs)) {
        process.kill();
        process.waitForFinished(processLimitMs);
        return probe;
    }
    probe.finished = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    for (const QString &line : lines) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            probe.report.insert(line.left(equals), line.mid(equals + 1));
    }
    return probe;
}

} // namespace

// The start-up of this process itself runs in initTestCase, with HOME in a temporary folder
// and the local time zone far from UTC; the rest looks at what it left behind. Start-ups from
// other folders run in copies of this program.
class tst_CvcApplication : public QObject
{
    Q_OBJECT

public:
    explicit tst_CvcApplication(QString home)
        : m_home(std::move(home))
    { }

private slots:
    void initTestCase();

    void identity();
    void currentDirectoryIsExecutableFolder();
    void oneLogFileWithFirstLine();
    void youngEntriesOfLogFolderKept();
    void standardPaletteOfStyleApplied();
    void setStyleSlotStoresNameOnly();
    void unknownStyleKeepsCurrentStyle();

    void startFromBuildOutputFolder_data();
    void startFromBuildOutputFolder();
    void sameSecondAppendsAndStoredStyleIgnored();

private:
    QString logFilePath() const;

    QString m_home;
    bool m_started = false;
    qint64 m_beforeStartUp = 0;
    qint64 m_afterStartUp = 0;
};

void tst_CvcApplication::initTestCase()
{
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
             m_home + QStringLiteral("/Documents"));

    // An existing data folder with a young file and a sub-folder in its log folder.
    QVERIFY(QDir(m_home).mkpath(QStringLiteral("Documents/Corvane/SNP300 Upgrader/Logs/keep")));
    QFile young(dataFolder(m_home) + QStringLiteral("/Logs/young.txt"));
    QVERIFY(young.open(QIODevice::WriteOnly));
    young.close();

    // A palette no style has, so the one start-up applies shows.
    QApplication::setPalette(QPalette(Qt::red));

    m_beforeStartUp = QDateTime::currentMSecsSinceEpoch();
    m_started = qobject_cast<CvcApplication *>(qApp)->startUp(QStringLiteral(SNP_VERSION),
                                                              QStringLiteral("sextant"));
    m_afterStartUp = QDateTime::currentMSecsSinceEpoch();
    QVERIFY(m_started);
}

QString tst_CvcApplication::logFilePath() const
{
    const QStringList logs = logFolderFiles(m_home).filter(logNamePattern);
    return logs.size() == 1 ? dataFolder(m_home) + QStringLiteral("/Logs/") + logs.first()
                            : QString();
}

void tst_CvcApplication::identity()
{
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("SNP300 Upgrader"));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Corvane"));
    QCOMPARE(qApp->objectName(), QStringLiteral("SNP300 Upgrader"));
    QCOMPARE(qApp->metaObject()->className(), "CvcApplication");
    // The version goes into the log only.
    QVERIFY(QCoreApplication::applicationVersion() != QLatin1String(SNP_VERSION));
}

void tst_CvcApplication::currentDirectoryIsExecutableFolder()
{
    QCOMPARE(QDir::currentPath(), canonical(QCoreApplication::applicationDirPath()));
}

void tst_CvcApplication::oneLogFileWithFirstLine()
{
    const QStringList files = logFolderFiles(m_home);
    QCOMPARE(files.filter(logNamePattern).size(), 1);
    const QString name = files.filter(logNamePattern).first();

    // The name is the UTC date and time of the start-up, to the second.
    const QDateTime named = QDateTime::fromString(logNamePattern.match(name).captured(1),
                                                  QStringLiteral("yyyy-MM-dd-hh-mm-ss"));
    QVERIFY(named.isValid());
    const qint64 namedUtc = QDateTime(named.date(), named.time(), Qt::UTC).toMSecsSinceEpoch();
    QVERIFY2(namedUtc >= m_beforeStartUp / 1000 * 1000 && namedUtc <= m_afterStartUp,
             qPrintable(name));

    const QByteArray content = readAll(logFilePath());
    const QRegularExpressionMatch line = firstLinePattern.match(QString::fromUtf8(content));
    QVERIFY2(line.hasMatch(), content.constData());
    // The line's time is UTC too, the same second or just after the name's.
    const QTime lineTime = QTime::fromString(line.captured(1), QStringLiteral("hh:mm:ss"));
    const qint64 lag = named.time().secsTo(lineTime);
    QVERIFY2(lag >= 0 && lag <= (m_afterStartUp - m_beforeStartUp) / 1000 + 1, content.constData());
}

void tst_CvcApplication::youngEntriesOfLogFolderKept()
{
    QVERIFY(QFile::exists(dataFolder(m_home) + QStringLiteral("/Logs/young.txt")));
    QVERIFY(QFileInfo(dataFolder(m_home) + QStringLiteral("/Logs/keep")).isDir());
}

void tst_CvcApplication::standardPaletteOfStyleApplied()
{
    QVERIFY(paletteInForce(QApplication::style()->standardPalette()));
}

void tst_CvcApplication::setStyleSlotStoresNameOnly()
{
    const int index = qApp->metaObject()->indexOfSlot("setStyle(QString)");
    QVERIFY(index >= 0);
    QCOMPARE(qApp->metaObject()->method(index).access(), QMetaMethod::Private);

    const QByteArray logBefore = readAll(logFilePath());
    QApplication::setPalette(QPalette(Qt::red));
    QVERIFY(QMetaObject::invokeMethod(qApp, "setStyle", Q_ARG(QString, QStringLiteral("Windows"))));

    QCOMPARE(QApplication::style()->objectName(), QStringLiteral("windows"));
    QVERIFY(paletteInForce(QApplication::style()->standardPalette()));
    QSettings settings(QStringLiteral("Corvane"), QStringLiteral("SNP300 Upgrader"));
    QVERIFY2(settings.fileName().startsWith(m_home), qPrintable(settings.fileName()));
    QCOMPARE(settings.value(QStringLiteral("style")), QVariant(QStringLiteral("Windows")));
    QCOMPARE(readAll(logFilePath()), logBefore);
}

void tst_CvcApplication::unknownStyleKeepsCurrentStyle()
{
    QVERIFY(QMetaObject::invokeMethod(qApp, "setStyle", Q_ARG(QString, QStringLiteral("Fusion"))));
    QCOMPARE(QApplication::style()->objectName(), QStringLiteral("fusion"));
    QStyle *const current = QApplication::style();
    QApplication::setPalette(QPalette(Qt::red));
    const QByteArray logBefore = readAll(logFilePath());

    QVERIFY(QMetaObject::invokeMethod(qApp, "setStyle",
                                      Q_ARG(QString, QStringLiteral("no-such-style"))));

    QCOMPARE(QApplication::style(), current);
    QVERIFY(paletteInForce(current->standardPalette()));
    QCOMPARE(readAll(logFilePath()), logBefore);
}

void tst_CvcApplication::startFromBuildOutputFolder_data()
{
    QTest::addColumn<QString>("exeFolder");
    QTest::addColumn<bool>("withInstall");

    QTest::newRow("Release, installation present") << QStringLiteral("a/b/Release") << true;
    QTest::newRow("RELEASE, no installation") << QStringLiteral("c/d/RELEASE") << false;
}

void tst_CvcApplication::startFromBuildOutputFolder()
{
    QFETCH(QString, exeFolder);
    QFETCH(bool, withInstall);

    QTemporaryDir tree;
    QTemporaryDir home;
    QVERIFY(tree.isValid() && home.isValid());
    QDir root(tree.path());
    QVERIFY(root.mkpath(exeFolder));
    QVERIFY(root.mkpath(QStringLiteral("work")));
    if (withInstall)
        QVERIFY(root.mkpath(QStringLiteral("Install")));

    const QString copy
        = root.filePath(exeFolder + QLatin1Char('/')
                        + QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));

    const Probe probe = runProbe(copy, home.path(), root.filePath(QStringLiteral("work")));
    QVERIFY(probe.finished);

    if (withInstall) {
        QCOMPARE(probe.report.value(QStringLiteral("result")), QStringLiteral("true"));
        QCOMPARE(probe.report.value(QStringLiteral("cwd")),
                 canonical(root.filePath(QStringLiteral("Install"))));
        // A missing data folder is made with all its parents.
        const QStringList logs = logFolderFiles(home.path());
        QCOMPARE(logs.size(), 1);
        QVERIFY(logNamePattern.match(logs.first()).hasMatch());
        const QByteArray content
            = readAll(dataFolder(home.path()) + QStringLiteral("/Logs/") + logs.first());
        QVERIFY2(firstLinePattern.match(QString::fromUtf8(content)).hasMatch(),
                 content.constData());
    } else {
        QCOMPARE(probe.report.value(QStringLiteral("result")), QStringLiteral("false"));
        QCOMPARE(probe.report.value(QStringLiteral("cwd")),
                 canonical(root.filePath(QStringLiteral("work"))));
        QVERIFY(!QFileInfo::exists(home.path() + QStringLiteral("/Documents")));
    }
}

// The log file of a run started in the same UTC second as an earlier one already exists.
// Files are laid out for every second the run might start in; exactly one of them gets the
// first line appended, and no other file appears.
void tst_CvcApplication::sameSecondAppendsAndStoredStyleIgnored()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString logs = dataFolder(home.path()) + QStringLiteral("/Logs/");
    QVERIFY(QDir().mkpath(logs));

    const QByteArray earlierRun = "[00:00:00.000] [Info] SNP300 Upgrader 1.0.0\n";
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QStringList laidOut;
    for (int second = 0; second <= 60; ++second) {
        const QString name
            = now.addSecs(second).toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")) + ".log";
        QFile file(logs + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(earlierRun);
        laidOut.append(name);
    }

    {
        // A style stored by an earlier run has no say in this one.
        QSettings settings(home.path() + QStringLiteral("/.config/Corvane/SNP300 Upgrader.conf"),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("style"), QStringLiteral("Windows"));
    }

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const Probe probe = runProbe(QCoreApplication::applicationFilePath(), home.path(), work.path());
    QVERIFY(probe.finished);
    QCOMPARE(probe.report.value(QStringLiteral("result")), QStringLiteral("true"));
    QVERIFY(probe.report.value(QStringLiteral("style")) != QLatin1String("windows"));

    QStringList files = logFolderFiles(home.path());
    files.sort();
    laidOut.sort();
    QCOMPARE(files, laidOut);

    int appended = 0;
    for (const QString &name : files) {
        const QByteArray content = readAll(logs + name);
        if (content == earlierRun)
            continue;
        ++appended;
        QVERIFY2(content.startsWith(earlierRun), content.constData());
        const QString added = QString::fromUtf8(content.mid(earlierRun.size()));
        QVERIFY2(firstLinePattern.match(added).hasMatch(), content.constData());
    }
    QCOMPARE(appended, 1);
}

int main(int argc, char *argv[])
{
    // Local time far from UTC, so names and lines made from local time show.
    qputenv("TZ", "Pacific/Kiritimati");
    tzset();
    // Documents and settings follow HOME.
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");

    const bool probing = !qEnvironmentVariableIsEmpty(probeVariable);
    QTemporaryDir home;
    if (!probing) {
        if (!home.isValid())
            return 1;
        qputenv("HOME", QFile::encodeName(home.path()));
    }

    CvcApplication app(appName, argc, argv);
    if (probing)
        return runStartUpProbe(app);

    tst_CvcApplication test(home.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cvcapplication.moc"

#include "basicfilelog.h"
#include "ilogger.h"
#include "logengine.h"
#include "logger.h"
#include "loglevel.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

struct Message
{
    int level;
    qint64 utc;
    QString text;
};

// Records what it receives; counts its own destruction.
class RecordingSink : public cvc::ILogger
{
public:
    explicit RecordingSink(QString name = QString(), QStringList *order = nullptr)
        : m_name(std::move(name))
        , m_order(order)
    { }
    ~RecordingSink() override { ++destroyed; }

    void log(int level, qint64 utc, const QString &message) override
    {
        messages.append({ level, utc, message });
        if (m_order)
            m_order->append(m_name);
        if (onLog)
            onLog();
    }

    static int destroyed;
    QList<Message> messages;
    std::function<void()> onLog;

private:
    QString m_name;
    QStringList *m_order;
};

int RecordingSink::destroyed = 0;

// A file log that tells when it is deleted.
class CountedFileLog : public cvc::BasicFileLog
{
public:
    using cvc::BasicFileLog::BasicFileLog;
    ~CountedFileLog() override { ++destroyed; }
    static int destroyed;
};

int CountedFileLog::destroyed = 0;

// Hands one message to every sink the way Logger::log does, but with a chosen time stamp.
void dispatch(int level, qint64 utc, const QString &message)
{
    QVERIFY(QMetaObject::invokeMethod(cvc::LogEngine::instance, "_log", Qt::DirectConnection,
                                      Q_ARG(int, level), Q_ARG(qint64, utc),
                                      Q_ARG(QString, message)));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// 2024-03-05T14:03:09.517Z
const qint64 sampleUtc = 1709647389517;

const int linesPerWriter = 500;

// Set to a log path, this program is the other writer of linesNeverTear as a process of its own.
const char otherWriterVariable[] = "SNP_TEST_OTHER_LOG_WRITER";

// Says "ready" once the file is open, so that both writers append at the same time.
int appendOtherWritersLines(const QString &path, const std::function<void()> &ready)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return 1;
    ready();
    for (int i = 0; i < linesPerWriter; ++i)
        cvc::BasicFileLog::appendWhole(file,
                                       "another writer's line " + QByteArray::number(i) + '\n');
    return 0;
}

} // namespace

class tst_LogEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void lineFormat_data();
    void lineFormat();
    void traceWritesNothing();
    void messageWrittenUnchanged();
    void loggerStampsInUtc();
    void appendsToExistingFile();
    void linesNeverTear_data();
    void linesNeverTear();
    void unopenableFileDropsMessages();
    void fatalFormatsLikePrintf();

    void engineDeletesEverySink();
    void sinkRegisteredForItsLifetime();
    void dispatchInRegistrationOrder();
    void sinkAddedDuringDispatchMissesThatMessage();
    void sinkDeletedDuringDispatchIsNotCalled();
    void noEngineAfterDestruction();

private:
    QTemporaryDir m_dir;
};

void tst_LogEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A zone 14 hours ahead of UTC: any local time in a line shows at once.
#ifdef Q_OS_WIN
    qputenv("TZ", "LIN-14"); // the C runtime's form: a three-letter name, hours west of UTC
    _tzset();
#else
    qputenv("TZ", "Pacific/Kiritimati");
    tzset();
#endif
    QCOMPARE(QDateTime::currentDateTime().offsetFromUtc(), 14 * 3600);
}

void tst_LogEngine::init()
{
    RecordingSink::destroyed = 0;
    CountedFileLog::destroyed = 0;
}

void tst_LogEngine::lineFormat_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("0") << 0 << QByteArray("[14:03:09.517] [] text\n");
    QTest::newRow("Debug") << 2 << QByteArray("[14:03:09.517] [Debug] text\n");
    QTest::newRow("3") << 3 << QByteArray("[14:03:09.517] [] text\n");
    QTest::newRow("Info") << 4 << QByteArray("[14:03:09.517] [Info] text\n");
    QTest::newRow("Warning") << 8 << QByteArray("[14:03:09.517] [Warning] text\n");
    QTest::newRow("Error") << 16 << QByteArray("[14:03:09.517] [Error] text\n");
    QTest::newRow("Critical") << 32 << QByteArray("[14:03:09.517] [Critical] text\n");
    QTest::newRow("Fatal") << 64 << QByteArray("[14:03:09.517] [Fatal] text\n");
    QTest::newRow("128") << 128 << QByteArray("[14:03:09.517] [] text\n");
    QTest::newRow("-1") << -1 << QByteArray("[14:03:09.517] [] text\n");
}

void tst_LogEngine::lineFormat()
{
    QFETCH(int, level);
    QFETCH(QByteArray, line);

    const QString path = m_dir.filePath(QStringLiteral("format-%1.log").arg(level));
    {
        cvc::LogEngine engine;
        new cvc::BasicFileLog(path);
        dispatch(level, sampleUtc, QStringLiteral("text"));
        // Unbuffered: the line is on disk before the sink goes.
        QCOMPARE(readAll(path), line);
    }
    QCOMPARE(readAll(path), line);
}

void tst_LogEngine::traceWritesNothing()
{
    const QString path = m_dir.filePath(QStringLiteral("trace.log"));
    cvc::LogEngine engine;
    new cvc::BasicFileLog(path);
    dispatch(cvc::Trace, sampleUtc, QStringLiteral("hidden"));
    QCOMPARE(readAll(path), QByteArray());
    dispatch(cvc::Info, sampleUtc + 1, QStringLiteral("shown"));
    QCOMPARE(readAll(path), QByteArray("[14:03:09.518] [Info] shown\n"));
}

void tst_LogEngine::messageWrittenUnchanged()
{
    const QString path = m_dir.filePath(QStringLiteral("multiline.log"));
    cvc::LogEngine engine;
    new cvc::BasicFileLog(path);
    // Midnight and the last millisecond of a day, a CR LF and non-ASCII text.
    dispatch(cvc::Error, 1709596800000, QStringLiteral("first\nsecond\r\n  third [x] %1 "));
    dispatch(cvc::Warning, 1709596799999,
             QString::fromUtf8("Gr\xc3\xbc\xc3\x9f"
                               "e \xe2\x9c\x93"));
    QCOMPARE(readAll(path),
             QByteArray("[00:00:00.000] [Error] first\nsecond\r\n  third [x] %1 \n"
                        "[23:59:59.999] [Warning] Gr\xc3\xbc\xc3\x9f"
                        "e \xe2\x9c\x93\n"));
}

void tst_LogEngine::loggerStampsInUtc()
{
    const QString path = m_dir.filePath(QStringLiteral("stamp.log"));
    cvc::LogEngine engine;
    new cvc::BasicFileLog(path);

    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    cvc::Logger::log(cvc::Info, QStringLiteral("now"));
    const qint64 after = QDateTime::currentMSecsSinceEpoch();

    const QByteArray content = readAll(path);
    const QRegularExpression pattern(
        QStringLiteral("^\\[(\\d\\d):(\\d\\d):(\\d\\d)\\.(\\d\\d\\d)\\] \\[Info\\] now\\n\\z"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(content));
    QVERIFY2(match.hasMatch(), content.constData());

    const qint64 day = 24 * 3600 * 1000;
    const qint64 msOfDay = ((match.captured(1).toInt() * 60 + match.captured(2).toInt()) * 60
                            + match.captured(3).toInt())
            * 1000
        + match.captured(4).toInt();
    if (before / day != after / day)
        QSKIP("the call straddled midnight UTC");
    QVERIFY2(msOfDay >= before % day && msOfDay <= after % day, content.constData());
}

void tst_LogEngine::appendsToExistingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("existing.log"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[01:02:03.004] [Info] earlier run\n");
    }
    cvc::LogEngine engine;
    new cvc::BasicFileLog(path);
    dispatch(cvc::Info, sampleUtc, QStringLiteral("this run"));
    QCOMPARE(readAll(path),
             QByteArray("[01:02:03.004] [Info] earlier run\n[14:03:09.517] [Info] this run\n"));
}

// Two windows started in the same second write to one file, and other programs may append to it
// too: each line goes to the file at its end as a whole, so no line tears into another or
// overwrites it. The other writer appends the way every log does, from a thread of this process
// or from a process of its own.
void tst_LogEngine::linesNeverTear_data()
{
    QTest::addColumn<bool>("otherProcess");
    QTest::newRow("thread") << false;
    QTest::newRow("process") << true;
}

void tst_LogEngine::linesNeverTear()
{
    QFETCH(bool, otherProcess);
    const QString path = m_dir.filePath(QStringLiteral("shared-%1.log").arg(otherProcess));
    cvc::LogEngine engine;
    new cvc::BasicFileLog(path);

    std::atomic<bool> ready { false };
    std::atomic<bool> go { false };
    QScopedPointer<QThread> thread;
    QProcess process;
    if (otherProcess) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(otherWriterVariable), path);
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY2(process.waitForReadyRead(60000), qPrintable(process.errorString()));
    } else {
        thread.reset(QThread::create([path, &ready, &go] {
            appendOtherWritersLines(path, [&ready, &go] {
                ready = true;
                while (!go)
                    QThread::yieldCurrentThread();
            });
        }));
        thread->start();
        QTRY_VERIFY(ready);
        go = true;
    }
    for (int i = 0; i < linesPerWriter; ++i)
        dispatch(cvc::Info, sampleUtc, QStringLiteral("line %1 of this run").arg(i));
    if (otherProcess) {
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
    } else {
        thread->wait();
    }

    const QRegularExpression ours(QStringLiteral("^\\[14:03:09\\.517\\] \\[Info\\] line (\\d+) of "
                                                 "this run$"));
    const QRegularExpression theirs(QStringLiteral("^another writer's line \\d+$"));
    QList<int> seen;
    int theirLines = 0;
    const QList<QByteArray> content = readAll(path).split('\n');
    QVERIFY(content.last().isEmpty());
    for (int i = 0; i < content.size() - 1; ++i) {
        const QString line = QString::fromUtf8(content.at(i));
        const QRegularExpressionMatch match = ours.match(line);
        if (match.hasMatch())
            seen.append(match.captured(1).toInt());
        else if (theirs.match(line).hasMatch())
            ++theirLines;
        else
            QFAIL(qPrintable("torn line: " + line));
    }
    QCOMPARE(theirLines, linesPerWriter);
    QCOMPARE(seen.size(), linesPerWriter);
    for (int i = 0; i < linesPerWriter; ++i)
        QCOMPARE(seen.at(i), i);
}

void tst_LogEngine::unopenableFileDropsMessages()
{
    const QString path = m_dir.filePath(QStringLiteral("missing-folder/run.log"));
    {
        cvc::LogEngine engine;
        auto *witness = new RecordingSink;
        new CountedFileLog(path);

        QCOMPARE(witness->messages.size(), 1);
        const Message report = witness->messages.first();
        QCOMPARE(report.level, 32);
        QVERIFY2(report.text.startsWith(QLatin1String("Log file creation failed (")),
                 qPrintable(report.text));
        QVERIFY(report.text.endsWith(QLatin1Char(')')));
        QVERIFY(report.text.size() > int(qstrlen("Log file creation failed ()")));

        cvc::Logger::log(cvc::Fatal, QStringLiteral("dropped"));
        QCOMPARE(witness->messages.size(), 2);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(CountedFileLog::destroyed, 0);
    }
    // Still registered: the engine deleted it.
    QCOMPARE(CountedFileLog::destroyed, 1);
}

void tst_LogEngine::fatalFormatsLikePrintf()
{
    cvc::LogEngine engine;
    auto *sink = new RecordingSink;
    cvc::Logger::fatal("Failed to create application data folder '%s'",
                       QString::fromUtf8("/home/j\xc3\xb6rg/Documents").toUtf8().constData());
    cvc::Logger::fatal("%d of %d, %.1f%%", 3, 4, 75.0);
    QCOMPARE(sink->messages.size(), 2);
    QCOMPARE(sink->messages.at(0).level, 64);
    QCOMPARE(sink->messages.at(0).text,
             QString::fromUtf8(
                 "Failed to create application data folder '/home/j\xc3\xb6rg/Documents'"));
    QCOMPARE(sink->messages.at(1).text, QStringLiteral("3 of 4, 75.0%"));
}

void tst_LogEngine::engineDeletesEverySink()
{
    {
        cvc::LogEngine engine;
        new RecordingSink;
        new RecordingSink;
        new CountedFileLog(m_dir.filePath(QStringLiteral("owned.log")));
        new RecordingSink;
    }
    QCOMPARE(RecordingSink::destroyed, 3);
    QCOMPARE(CountedFileLog::destroyed, 1);
}

void tst_LogEngine::sinkRegisteredForItsLifetime()
{
    cvc::LogEngine engine;
    auto *kept = new RecordingSink;
    auto *gone = new RecordingSink;
    cvc::Logger::log(cvc::Info, QStringLiteral("one"));
    delete gone;
    cvc::Logger::log(cvc::Info, QStringLiteral("two"));
    QCOMPARE(kept->messages.size(), 2);
    QCOMPARE(kept->messages.at(1).text, QStringLiteral("two"));
}

void tst_LogEngine::dispatchInRegistrationOrder()
{
    QStringList order;
    cvc::LogEngine engine;
    new RecordingSink(QStringLiteral("a"), &order);
    auto *b = new RecordingSink(QStringLiteral("b"), &order);
    new RecordingSink(QStringLiteral("c"), &order);
    cvc::Logger::log(cvc::Info, QStringLiteral("first"));
    delete b;
    new RecordingSink(QStringLiteral("d"), &order);
    cvc::Logger::log(cvc::Info, QStringLiteral("second"));
    QCOMPARE(order, QStringList({ "a", "b", "c", "a", "c", "d" }));
}

void tst_LogEngine::sinkAddedDuringDispatchMissesThatMessage()
{
    cvc::LogEngine engine;
    RecordingSink *late = nullptr;
    auto *first = new RecordingSink;
    first->onLog = [&late] {
        if (!late)
            late = new RecordingSink;
    };
    cvc::Logger::log(cvc::Info, QStringLiteral("one"));
    QVERIFY(late);
    QVERIFY(late->messages.isEmpty());
    cvc::Logger::log(cvc::Info, QStringLiteral("two"));
    QCOMPARE(late->messages.size(), 1);
    QCOMPARE(late->messages.first().text, QStringLiteral("two"));
    QCOMPARE(first->messages.size(), 2);
}

void tst_LogEngine::sinkDeletedDuringDispatchIsNotCalled()
{
    cvc::LogEngine engine;
    auto *first = new RecordingSink;
    auto *second = new RecordingSink;
    first->onLog = [&second] {
        delete second;
        second = nullptr;
    };
    cvc::Logger::log(cvc::Info, QStringLiteral("one"));
    QVERIFY(!second);
    QCOMPARE(RecordingSink::destroyed, 1);
    first->onLog = nullptr;
    cvc::Logger::log(cvc::Info, QStringLiteral("two"));
    QCOMPARE(first->messages.size(), 2);
}

void tst_LogEngine::noEngineAfterDestruction()
{
    {
        cvc::LogEngine engine;
        QCOMPARE(cvc::LogEngine::instance, &engine);
    }
    QCOMPARE(cvc::LogEngine::instance, nullptr);
    cvc::Logger::log(cvc::Info, QStringLiteral("nobody listens"));
}

int main(int argc, char *argv[])
{
    const QString otherWriterPath = qEnvironmentVariable(otherWriterVariable);
    if (!otherWriterPath.isEmpty()) {
        return appendOtherWritersLines(otherWriterPath, [] {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        });
    }
    QCoreApplication app(argc, argv);
    tst_LogEngine test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_logengine.moc"

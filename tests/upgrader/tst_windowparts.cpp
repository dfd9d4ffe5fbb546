// The parts the window delegates to, each without a window: the link ticket, the server waits,
// the record of an upgrade attempt and the time-left estimate.

#include "linkticket.h"
#include "replywaits.h"
#include "timeleftestimate.h"
#include "upgradeattempt.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using Outcome = ReplyWaits::Outcome;
Q_DECLARE_METATYPE(ReplyWaits::Outcome)

class tst_WindowParts : public QObject
{
    Q_OBJECT

private slots:
    void linkTicket_data();
    void linkTicket();
    void replyWait_data();
    void replyWait();
    void nestedWaitsTakeOnlyTheirOwnReply();
    void upgradeAttempt_data();
    void upgradeAttempt();
    void timeLeft_data();
    void timeLeft();

private:
    QNetworkAccessManager m_network;
};

void tst_WindowParts::linkTicket_data()
{
    QTest::addColumn<bool>("openWhenTaken");
    QTest::addColumn<QStringList>("meanwhile");
    QTest::addColumn<bool>("sameOpenLink");
    const QStringList nothing;
    QTest::newRow("nothing happened") << true << nothing << true;
    QTest::newRow("disconnected") << true << QStringList { "close" } << false;
    QTest::newRow("connected again") << true << QStringList { "close", "connect" } << false;
    QTest::newRow("taken while closed, connected since")
        << false << QStringList { "connect" } << false;
}

// A handler that waited may write to the device only on the link it started on.
void tst_WindowParts::linkTicket()
{
    QFETCH(bool, openWhenTaken);
    QFETCH(QStringList, meanwhile);
    QFETCH(bool, sameOpenLink);

    QBuffer port;
    LinkTicket::Counter counter;
    const auto connect = [&] {
        QVERIFY(port.open(QIODevice::ReadWrite));
        counter.linkOpened();
    };
    if (openWhenTaken)
        connect();
    const LinkTicket ticket(&port, counter);
    for (const QString &event : meanwhile) {
        if (event == QLatin1String("close"))
            port.close();
        else
            connect();
    }
    QCOMPARE(ticket.isSameOpenLink(), sameOpenLink);
}

void tst_WindowParts::replyWait_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<qint64>("bound");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QByteArray>("brought");
    QTest::newRow("answered") << QUrl("data:,list") << qint64(100) << Outcome::Answered
                              << QByteArray("list");
    QTest::newRow("past its bound")
        << QUrl("data:,list") << qint64(3) << Outcome::Refused << QByteArray();
    QTest::newRow("finished with an error")
        << QUrl::fromLocalFile(QStringLiteral("/nonexistent/list")) << qint64(100)
        << Outcome::Unanswered << QByteArray();
}

// How a wait ends, and what it brought.
void tst_WindowParts::replyWait()
{
    QFETCH(QUrl, url);
    QFETCH(qint64, bound);
    QFETCH(Outcome, outcome);
    QFETCH(QByteArray, brought);

    ReplyWaits waits;
    const std::unique_ptr<QNetworkReply> reply(m_network.get(QNetworkRequest(url)));
    {
        ReplyWaits::Wait wait(waits, reply.get(), bound);
        QVERIFY(!waits.isEmpty());
        QTRY_VERIFY(reply->isFinished());
        // Only a reply that finished well, within its bound, answers its wait.
        QCOMPARE(waits.takeFinished(reply.get()), outcome == Outcome::Answered);
        if (wait.outcome() == Outcome::Pending)
            wait.giveUp();
        QCOMPARE(wait.outcome(), outcome);
        QCOMPARE(wait.takeBrought(), brought);
        QCOMPARE(wait.takeBrought(), QByteArray()); // handed over once
    }
    QVERIFY(waits.isEmpty());
    // A late reply, whose wait has ended, is taken by nobody.
    QVERIFY(!waits.takeFinished(reply.get()));
}

// The outer wait's reply arrives while a nested wait waits: each takes its own reply only.
void tst_WindowParts::nestedWaitsTakeOnlyTheirOwnReply()
{
    ReplyWaits waits;
    const std::unique_ptr<QNetworkReply> list(m_network.get(QNetworkRequest(QUrl("data:,list"))));
    ReplyWaits::Wait outer(waits, list.get(), 100);
    {
        const std::unique_ptr<QNetworkReply> image(
            m_network.get(QNetworkRequest(QUrl("data:,image"))));
        ReplyWaits::Wait nested(waits, image.get(), 100);
        QTRY_VERIFY(list->isFinished() && image->isFinished());

        QVERIFY(waits.takeFinished(list.get()));
        QCOMPARE(outer.outcome(), Outcome::Answered);
        QCOMPARE(nested.outcome(), Outcome::Pending);
        QVERIFY(waits.takeFinished(image.get()));
        QCOMPARE(nested.takeBrought(), QByteArray("image"));
    }
    QVERIFY(!waits.isEmpty());
    QCOMPARE(outer.takeBrought(), QByteArray("list"));
}

void tst_WindowParts::upgradeAttempt_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("results"); // the result column of each row recorded
    QTest::newRow("completed") << QStringList { "start", "complete" }
                               << QStringList { "completed" };
    QTest::newRow("completed, then disconnected")
        << QStringList { "start", "complete", "interrupt" } << QStringList { "completed" };
    QTest::newRow("disconnected halfway")
        << QStringList { "start", "interrupt" } << QStringList { "interrupted" };
    QTest::newRow("disconnected, never started") << QStringList { "interrupt" } << QStringList();
    QTest::newRow("image refused") << QStringList { "refuse" } << QStringList { "refused" };
    QTest::newRow("two attempts") << QStringList { "start", "interrupt", "start", "complete" }
                                  << QStringList { "interrupted", "completed" };
}

// An attempt is recorded once, when it ends, whoever ends it.
void tst_WindowParts::upgradeAttempt()
{
    QFETCH(QStringList, events);
    QFETCH(QStringList, results);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("History.csv"));
    UpgradeAttempt attempt(path);
    UpgradeHistory::Entry entry;
    entry.port = QStringLiteral("ttyUSB0");
    for (const QString &event : events) {
        if (event == QLatin1String("start")) {
            attempt.start(entry);
            QVERIFY(attempt.isRunning());
        } else if (event == QLatin1String("refuse")) {
            entry.result = UpgradeHistory::Result::Refused;
            QVERIFY(attempt.record(entry));
        } else {
            QVERIFY(attempt.end(event == QLatin1String("complete")
                                    ? UpgradeHistory::Result::Completed
                                    : UpgradeHistory::Result::Interrupted));
            QVERIFY(!attempt.isRunning());
        }
    }

    QStringList recorded;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> rows = file.readAll().split('\n');
        for (const QByteArray &row : rows.mid(1, rows.size() - 2)) // the header, the last CR LF
            recorded << QString::fromUtf8(row).split(QLatin1Char(',')).at(9);
    }
    QCOMPARE(recorded, results);
}

void tst_WindowParts::timeLeft_data()
{
    QTest::addColumn<qint64>("shownAtMs"); // -1: not shown yet
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<int>("sent");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<QString>("format");
    QTest::newRow("too early for a pace")
        << qint64(-1) << qint64(2999) << 30 << 100 << false << QString();
    QTest::newRow("seconds") << qint64(-1) << qint64(3000) << 30 << 100 << true
                             << "%p % - about 7 s left";
    QTest::newRow("minutes") << qint64(-1) << qint64(60000) << 10 << 25 << true
                             << "%p % - about 1 min 30 s left";
    QTest::newRow("hours") << qint64(-1) << qint64(3600000) << 1 << 3 << true
                           << "%p % - about 2 h 0 min left";
    QTest::newRow("never below a second")
        << qint64(-1) << qint64(3000) << 9999 << 10000 << true << "%p % - about 1 s left";
    QTest::newRow("renewed within a second")
        << qint64(5000) << qint64(5999) << 50 << 100 << false << QString();
    QTest::newRow("renewed after a second")
        << qint64(5000) << qint64(6000) << 50 << 100 << true << "%p % - about 6 s left";
    QTest::newRow("last line: the plain percentage")
        << qint64(-1) << qint64(1000) << 100 << 100 << true << QString();
}

void tst_WindowParts::timeLeft()
{
    QFETCH(qint64, shownAtMs);
    QFETCH(qint64, elapsedMs);
    QFETCH(int, sent);
    QFETCH(int, total);
    QFETCH(bool, changes);
    QFETCH(QString, format);

    TimeLeftEstimate estimate;
    estimate.start();
    QString shown;
    if (shownAtMs >= 0)
        QVERIFY(estimate.renew(shownAtMs, sent, total, &shown));
    QString renewed = QStringLiteral("unchanged");
    QCOMPARE(estimate.renew(elapsedMs, sent, total, &renewed), changes);
    QCOMPARE(renewed, changes ? format : QStringLiteral("unchanged"));
}

QTEST_GUILESS_MAIN(tst_WindowParts)
#include "tst_windowparts.moc"

#include "cvtwaitforsignalhelper.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

class Emitter : public QObject
{
    Q_OBJECT
signals:
    void finished();
};

// Limits are generous: the machine may be loaded. A wait that should end by its signal is given
// a time-out far beyond the signal's delay, so a true result cannot come from the timer.
class tst_WaitForSignalHelper : public QObject
{
    Q_OBJECT

private slots:
    void signalEndsTheWait_data();
    void signalEndsTheWait();
    void timeoutEndsTheWait();
    void signalBeforeWaitIsNotRemembered();
    void senderDestroyedDuringWait();
    void waitedTwice();
    void lateSignalDoesNotLeakIntoNextWait();
};

void tst_WaitForSignalHelper::signalEndsTheWait_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("with a limit") << 60000;
    QTest::newRow("without a limit") << 0;
}

void tst_WaitForSignalHelper::signalEndsTheWait()
{
    QFETCH(int, limit);
    Emitter emitter;
    CvtWaitForSignalHelper helper(&emitter, SIGNAL(finished()));
    QTimer::singleShot(100, &emitter, &Emitter::finished);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(helper.wait(limit));
    QVERIFY(clock.elapsed() >= 90);
    QVERIFY(clock.elapsed() < 30000);
}

void tst_WaitForSignalHelper::timeoutEndsTheWait()
{
    Emitter emitter;
    CvtWaitForSignalHelper helper(&emitter, SIGNAL(finished()));
    // Other events keep being processed during the wait.
    bool otherTimerRan = false;
    QTimer::singleShot(10, [&otherTimerRan] { otherTimerRan = true; });

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!helper.wait(200));
    QVERIFY(clock.elapsed() >= 180);
    QVERIFY(otherTimerRan);
}

void tst_WaitForSignalHelper::signalBeforeWaitIsNotRemembered()
{
    Emitter emitter;
    CvtWaitForSignalHelper helper(&emitter, SIGNAL(finished()));
    emit emitter.finished();

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!helper.wait(200));
    QVERIFY(clock.elapsed() >= 180);
}

void tst_WaitForSignalHelper::senderDestroyedDuringWait()
{
    QPointer<Emitter> emitter = new Emitter;
    CvtWaitForSignalHelper helper(emitter, SIGNAL(finished()));
    QTimer::singleShot(50, emitter, [&emitter] { delete emitter; });

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!helper.wait(400));
    QVERIFY(emitter.isNull());
    QVERIFY(clock.elapsed() >= 380);
}

void tst_WaitForSignalHelper::waitedTwice()
{
    Emitter emitter;
    CvtWaitForSignalHelper helper(&emitter, SIGNAL(finished()));

    QVERIFY(!helper.wait(100));
    QTimer::singleShot(50, &emitter, &Emitter::finished);
    QVERIFY(helper.wait(60000));
    QVERIFY(!helper.wait(100));
}

void tst_WaitForSignalHelper::lateSignalDoesNotLeakIntoNextWait()
{
    Emitter emitter;
    CvtWaitForSignalHelper helper(&emitter, SIGNAL(finished()));
    QVERIFY(!helper.wait(50));
    emit emitter.finished();

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!helper.wait(200));
    QVERIFY(clock.elapsed() >= 180);
}

QTEST_GUILESS_MAIN(tst_WaitForSignalHelper)
#include "tst_waitforsignalhelper.moc"

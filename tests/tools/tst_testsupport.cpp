// The shared test support: message boxes are answered wherever they are
// opened, and the temporary home moves the documents folder and restores it.

#include "messageboxanswerer.h"
#include "temphome.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

class tst_TestSupport : public QObject
{
    Q_OBJECT

private slots:
    void answersInformationBox();
    void answersQueuedButtonsInOrder();
    void answersBoxOpenedInNestedLoop();
    void tempHomeMovesDocuments();
};

void tst_TestSupport::answersInformationBox()
{
    MessageBoxAnswerer answerer;
    QSignalSpy answered(&answerer, &MessageBoxAnswerer::boxAnswered);
    const auto result = QMessageBox::information(nullptr, QStringLiteral("SNPUpgrader"),
                                                 QStringLiteral("Line one\nLine two"));
    QCOMPARE(result, QMessageBox::Ok);
    QCOMPARE(answerer.count(), 1);
    const MessageBoxAnswerer::Record box = answerer.last();
    QCOMPARE(box.title, QStringLiteral("SNPUpgrader"));
    QCOMPARE(box.text, QStringLiteral("Line one\nLine two"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.answer, QMessageBox::Ok);
    QVERIFY(!box.hadParent);
    QCOMPARE(answered.size(), 1);
}

void tst_TestSupport::answersQueuedButtonsInOrder()
{
    MessageBoxAnswerer answerer;
    answerer.answerNext(QMessageBox::No);
    answerer.answerNext(QMessageBox::Yes);
    QMessageBox styled(QMessageBox::Question, QStringLiteral("Upgrade"), QStringLiteral("first"),
                       QMessageBox::Yes | QMessageBox::No);
    styled.setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    QCOMPARE(styled.exec(), int(QMessageBox::No));
    QCOMPARE(QMessageBox::question(nullptr, QStringLiteral("Upgrade"), QStringLiteral("second")),
             QMessageBox::Yes);
    // Queue empty: a box without Ok gets its default button.
    QCOMPARE(QMessageBox::question(nullptr, QStringLiteral("Upgrade"), QStringLiteral("third"),
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
             QMessageBox::No);
    QCOMPARE(answerer.texts(), QStringList({ "first", "second", "third" }));
    QCOMPARE(answerer.boxes().first().styleSheet, QStringLiteral("QLabel { color: red; }"));
    QCOMPARE(answerer.boxes().first().buttons, QMessageBox::Yes | QMessageBox::No);
}

void tst_TestSupport::answersBoxOpenedInNestedLoop()
{
    MessageBoxAnswerer answerer;
    QEventLoop outer;
    QMessageBox::StandardButton result = QMessageBox::NoButton;
    QTimer::singleShot(0, [&] {
        QEventLoop nested; // like a wait for a server answer
        QTimer::singleShot(0, [&] {
            result = QMessageBox::information(nullptr, QStringLiteral("SNPUpgrader"),
                                              QStringLiteral("nested"));
            nested.quit();
        });
        nested.exec();
        outer.quit();
    });
    QTimer::singleShot(10000, &outer, &QEventLoop::quit);
    outer.exec();
    QCOMPARE(result, QMessageBox::Ok);
    QCOMPARE(answerer.texts(), QStringList { "nested" });
}

void tst_TestSupport::tempHomeMovesDocuments()
{
    const QByteArray home = qgetenv("HOME");
    const bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/nonexistent/config");
    QString documents;
    {
        TempHome temp;
        QVERIFY(temp.isValid());
        documents = temp.documentsPath();
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), documents);
        QVERIFY(QFileInfo(documents).isDir());
        QVERIFY(!qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
    }
    QCOMPARE(qgetenv("HOME"), home);
    QCOMPARE(qgetenv("XDG_CONFIG_HOME"), QByteArray("/nonexistent/config"));
    QVERIFY(!QFileInfo::exists(documents));
    if (hadConfigHome)
        qputenv("XDG_CONFIG_HOME", configHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QTEST_MAIN(tst_TestSupport)
#include "tst_testsupport.moc"

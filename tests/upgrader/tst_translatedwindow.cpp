// The window in each of the program's languages: the form, the confirmation box with Qt's own
// buttons, and the two log lines that are translated, as an operator of that language sees them.

#include "cvttranslationloader.h"
#include "testdata.h"
#include "tscatalogue.h"
#include "windowfixture.h"

#include <QLabel>
#include <QTabWidget>
#include <QtTest>

class tst_TranslatedWindow : public QObject
{
    Q_OBJECT

private slots:
    void windowInLanguage_data();
    void windowInLanguage();
};

void tst_TranslatedWindow::windowInLanguage_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : CvtTranslationLoader::availableLanguages())
        QTest::newRow(qPrintable(language)) << language;
}

void tst_TranslatedWindow::windowInLanguage()
{
    QFETCH(QString, language);
    TsCatalogue catalogue;
    QVERIFY2(
        catalogue.load(QStringLiteral(SNP_TRANSLATIONS_DIR "/snpupgrader_%1.ts").arg(language)),
        qPrintable(catalogue.errorString()));
    const auto tr = [&catalogue](const char *source) {
        return catalogue.translate(QString::fromUtf8(source));
    };
    const bool english = language == QLatin1String("en");

    CvtTranslationLoader translations;
    QVERIFY(translations.install(language));
    Snp300Options options;
    options.bootloaderVersion = QStringLiteral("1.0.13"); // old enough to need an update
    WindowFixture f(options);
    f.addServerImage(Btl015, hexImage(2));

    // The form, for the eye and for the screen reader.
    QCOMPARE(f.window->findChild<QLabel *>(QStringLiteral("label"))->text(), tr("Serial Port:"));
    QCOMPARE(f.refreshButton()->text(), tr("Detect Ports"));
    QCOMPARE(f.connectButton()->text(), tr("Connect"));
    QCOMPARE(f.upgradeButton()->text(), tr("Upgrade SNP300..."));
    QCOMPARE(f.window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->tabText(0), tr("USB"));
    QCOMPARE(f.portList()->accessibleName(), tr("Serial port"));
    QCOMPARE(f.progressBar()->accessibleName(), tr("Upgrade progress"));
    QCOMPARE(f.logBox()->accessibleDescription(),
             tr("Messages about the link and the upgrade, the newest at the end."));
    QCOMPARE(f.connectButton()->text() == QLatin1String("Connect"), english);
    QCOMPARE(f.refreshButton()->text() == QLatin1String("Detect Ports"), english);

    // The device's bootloader is old: both translated log lines.
    f.connectDevice();
    QVERIFY(f.waitForLogLine(tr("Device bootloader needs to be updated")));
    QVERIFY(f.waitForLogLine(tr("Device ready to start update")));
    QCOMPARE(f.connectButton()->text(), tr("Disconnect"));
    QCOMPARE(f.connectButton()->accessibleName(), tr("Disconnect"));

    // The confirmation, with Qt's buttons in the same language.
    f.boxes.answerNext(QMessageBox::Cancel);
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(f.boxes.count(), 1, 15000);
    const MessageBoxAnswerer::Record box = f.boxes.last();
    QString bootloaderText;
    for (const TsCatalogue::Entry &entry : catalogue.entries()) {
        if (entry.source.startsWith(
                QLatin1String("You are about to start updating the bootloader")))
            bootloaderText = entry.translation;
    }
    QVERIFY(!bootloaderText.isEmpty());
    QCOMPARE(box.text, bootloaderText.arg(QStringLiteral("1.0.13"), QStringLiteral("1.0.15")));
    QCOMPARE(box.text.startsWith(QLatin1String("You are about")), english);
    QStringList buttons = box.buttonTexts;
    buttons.sort();
    QStringList qtButtons { QCoreApplication::translate("QPlatformTheme", "OK"),
                            QCoreApplication::translate("QPlatformTheme", "Cancel") };
    qtButtons.sort();
    QCOMPARE(buttons, qtButtons);
    QCOMPARE(buttons.contains(QStringLiteral("Cancel")), english);
    QVERIFY(
        f.waitForLogLine(QStringLiteral("Server not available or firmware already up to date")));
}

QTEST_MAIN(tst_TranslatedWindow)
#include "tst_translatedwindow.moc"

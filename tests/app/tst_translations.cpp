// The program's catalogues: the choice among the operator's languages, catalogues that lupdate
// would leave as they are and that are finished in every language, and the translators that
// start-up installs from them and from Qt's own catalogues.

#include "cvttranslationloader.h"
#include "tscatalogue.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// Set in the environment of a copy of this program that only reports the language that the
// system's UI languages choose.
const char probeVariable[] = "SNP_LANGUAGE_PROBE";

QStringList tsFiles()
{
    return QString::fromUtf8(SNP_TS_FILES).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

// What must come out of a translation unchanged: the placeholders, line feeds and tabs.
QString fixedParts(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QStringList parts;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        parts.append(it.next().captured());
    parts.sort();
    return parts.join(QLatin1Char(' '))
        + QStringLiteral(" LF=%1 TAB=%2")
              .arg(text.count(QLatin1Char('\n')))
              .arg(text.count(QLatin1Char('\t')));
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void chooseLanguage_data();
    void chooseLanguage();
    void systemLanguagesDecide_data();
    void systemLanguagesDecide();
    void cataloguesAreCurrent();
    void cataloguesAreFinished();
    void everyLanguageInstalls();
};

void tst_Translations::chooseLanguage_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("nothing") << QStringList() << "en";
    QTest::newRow("C locale") << QStringList { "C" } << "en";
    QTest::newRow("German") << QStringList { "de-DE" } << "de";
    QTest::newRow("Austrian German") << QStringList { "de-AT", "de" } << "de";
    QTest::newRow("English before German") << QStringList { "en-US", "de-DE" } << "en";
    QTest::newRow("unknown, then French") << QStringList { "nl-NL", "fr-CA" } << "fr";
    QTest::newRow("Linux locale name") << QStringList { "es_ES.UTF-8" } << "es";
    QTest::newRow("modifier") << QStringList { "it_IT@euro" } << "it";
    QTest::newRow("Brazil") << QStringList { "pt-BR" } << "pt_BR";
    QTest::newRow("Portugal") << QStringList { "pt-PT" } << "pt_BR";
    QTest::newRow("Polish") << QStringList { "pl" } << "pl";
    QTest::newRow("Simplified Chinese") << QStringList { "zh-Hans-CN" } << "zh_CN";
    QTest::newRow("Chinese") << QStringList { "zh" } << "zh_CN";
    QTest::newRow("Traditional Chinese") << QStringList { "zh-Hant-TW", "ja-JP" } << "ja";
    QTest::newRow("Taiwan only") << QStringList { "zh-TW" } << "en";
    QTest::newRow("Japanese") << QStringList { "ja-JP" } << "ja";
}

void tst_Translations::chooseLanguage()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, chosen);
    QCOMPARE(CvtTranslationLoader::chooseLanguage(uiLanguages), chosen);
}

void tst_Translations::systemLanguagesDecide_data()
{
    QTest::addColumn<QString>("languageVariable");
    QTest::addColumn<QString>("langVariable");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("LANG") << ""
                          << "fr_FR.UTF-8"
                          << "fr";
    QTest::newRow("LANGUAGE before LANG") << "ja:de"
                                          << "fr_FR.UTF-8"
                                          << "ja";
    QTest::newRow("English first") << "en_GB:de"
                                   << "de_DE.UTF-8"
                                   << "en";
}

// The language comes from the environment as the system reports it, in a copy of this program.
void tst_Translations::systemLanguagesDecide()
{
    QFETCH(QString, languageVariable);
    QFETCH(QString, langVariable);
    QFETCH(QString, chosen);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANGUAGE"), languageVariable);
    env.insert(QStringLiteral("LANG"), langVariable);
    env.insert(QString::fromLatin1(probeVariable), QStringLiteral("1"));
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY2(probe.waitForFinished(60000), "the probe did not finish");
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), chosen);
}

// lupdate, run over the sources as update_translations runs it but into copies of the
// catalogues, must find nothing to add, change or drop.
void tst_Translations::cataloguesAreCurrent()
{
    const QString lupdate = QString::fromUtf8(SNP_LUPDATE);
    if (lupdate.isEmpty())
        QSKIP("lupdate does not run where this test runs");
    QTemporaryDir copies;
    QVERIFY(copies.isValid());
    QStringList copyPaths;
    for (const QString &ts : tsFiles()) {
        copyPaths.append(copies.filePath(QFileInfo(ts).fileName()));
        QVERIFY(QFile::copy(ts, copyPaths.last()));
    }

    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(lupdate,
              QString::fromUtf8(SNP_LUPDATE_ARGUMENTS).split(QLatin1Char('|'))
                  << QStringLiteral("-ts") << copyPaths);
    QVERIFY2(run.waitForFinished(120000), "lupdate did not finish");
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
             run.readAll().constData());

    for (const QString &ts : tsFiles()) {
        TsCatalogue committed;
        TsCatalogue updated;
        QVERIFY2(committed.load(ts), qPrintable(committed.errorString()));
        QVERIFY2(updated.load(copies.filePath(QFileInfo(ts).fileName())),
                 qPrintable(updated.errorString()));
        const QList<TsCatalogue::Entry> before = committed.entries();
        const QList<TsCatalogue::Entry> after = updated.entries();
        for (const TsCatalogue::Entry &entry : after) {
            QVERIFY2(before.contains(entry),
                     qPrintable(QStringLiteral("%1: lupdate adds or changes %2; build the target "
                                               "update_translations and translate it")
                                    .arg(QFileInfo(ts).fileName(), entry.describe())));
        }
        for (const TsCatalogue::Entry &entry : before) {
            QVERIFY2(after.contains(entry),
                     qPrintable(QStringLiteral("%1: lupdate drops %2; build the target "
                                               "update_translations")
                                    .arg(QFileInfo(ts).fileName(), entry.describe())));
        }
    }
}

void tst_Translations::cataloguesAreFinished()
{
    QStringList languages;
    for (const QString &ts : tsFiles()) {
        TsCatalogue catalogue;
        QVERIFY2(catalogue.load(ts), qPrintable(catalogue.errorString()));
        QCOMPARE(QFileInfo(ts).completeBaseName(), "snpupgrader_" + catalogue.language());
        languages.append(catalogue.language());
        QVERIFY(!catalogue.entries().isEmpty());
        for (const TsCatalogue::Entry &entry : catalogue.entries()) {
            const QString where = catalogue.language() + QStringLiteral(": ") + entry.describe();
            QVERIFY2(entry.type.isEmpty() && !entry.translation.isEmpty(), qPrintable(where));
            QVERIFY2(fixedParts(entry.translation) == fixedParts(entry.source), qPrintable(where));
            if (catalogue.language() == QLatin1String("en"))
                QVERIFY2(entry.translation == entry.source, qPrintable(where));
        }
    }
    QCOMPARE(languages, CvtTranslationLoader::availableLanguages());
}

// Every language brings the program's texts and Qt's own, so that OK and Cancel match the window.
void tst_Translations::everyLanguageInstalls()
{
    for (const QString &language : CvtTranslationLoader::availableLanguages()) {
        CvtTranslationLoader loader;
        QVERIFY2(loader.install(language), qPrintable(language));
        QVERIFY2(!loader.qtCatalogue().isEmpty(),
                 qPrintable("no Qt catalogue for " + language + " in "
                            + CvtTranslationLoader::qtTranslationFolders().join(", ")));
        const QString connect = QCoreApplication::translate("SNPUpgrader", "Connect");
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        if (language == QLatin1String("en")) {
            QCOMPARE(connect, QStringLiteral("Connect"));
        } else {
            QVERIFY2(connect != QLatin1String("Connect"), qPrintable(language));
            QVERIFY2(cancel != QLatin1String("Cancel"), qPrintable(language));
        }
    }
    QVERIFY(!CvtTranslationLoader().install(QStringLiteral("xx")));
    QCOMPARE(QCoreApplication::translate("SNPUpgrader", "Connect"), QStringLiteral("Connect"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(probeVariable)) {
        const QByteArray chosen
            = CvtTranslationLoader::chooseLanguage(QLocale::system().uiLanguages()).toUtf8();
        std::printf("%s\n", chosen.constData());
        return 0;
    }
    tst_Translations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"

#include "cvttranslationloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>

namespace {

const char ProgramCatalogueFolder[] = ":/i18n";
const char ProgramCataloguePrefix[] = "snpupgrader_";

// Qt 6 names the folders by path(); Qt 5.15 has only location().
QString qtOwnTranslationsFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

// A UI language as its parts: "zh-Hans-CN" gives zh, Hans and CN; "pt_BR.UTF-8" gives pt and BR.
struct LanguageTag
{
    QString language;
    QString script;
    QString territory;
};

LanguageTag parseTag(const QString &tag)
{
    const QString name = tag.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const QStringList parts = name.split(QRegularExpression(QStringLiteral("[-_]")));
    LanguageTag parsed;
    parsed.language = parts.value(0).toLower();
    for (int i = 1; i < parts.size(); ++i) {
        if (parts.at(i).size() == 4)
            parsed.script = parts.at(i).toLower();
        else if (parsed.territory.isEmpty())
            parsed.territory = parts.at(i).toUpper();
    }
    return parsed;
}

// Simplified Chinese is no answer to a reader of traditional characters.
bool readsTraditionalChinese(const LanguageTag &tag)
{
    return tag.script == QLatin1String("hant") || tag.territory == QLatin1String("TW")
        || tag.territory == QLatin1String("HK") || tag.territory == QLatin1String("MO");
}

} // namespace

QStringList CvtTranslationLoader::availableLanguages()
{
    return { QStringLiteral("en"), QStringLiteral("de"),    QStringLiteral("fr"),
             QStringLiteral("es"), QStringLiteral("it"),    QStringLiteral("pt_BR"),
             QStringLiteral("pl"), QStringLiteral("zh_CN"), QStringLiteral("ja") };
}

QString CvtTranslationLoader::chooseLanguage(const QStringList &uiLanguages)
{
    const QStringList available = availableLanguages();
    for (const QString &entry : uiLanguages) {
        const LanguageTag tag = parseTag(entry);
        if (tag.language.isEmpty())
            continue;
        const QString full = tag.language + QLatin1Char('_') + tag.territory;
        if (available.contains(full))
            return full;
        if (available.contains(tag.language))
            return tag.language;
        if (tag.language == QLatin1String("zh") && readsTraditionalChinese(tag))
            continue;
        // One variant of the language (pt_BR for any Portuguese, zh_CN for Chinese) is closer
        // than the next language of the list.
        for (const QString &language : available) {
            if (language.startsWith(tag.language + QLatin1Char('_')))
                return language;
        }
    }
    return QStringLiteral("en");
}

QStringList CvtTranslationLoader::qtTranslationFolders()
{
    return { QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
             qtOwnTranslationsFolder() };
}

bool CvtTranslationLoader::install(const QString &language)
{
    // The catalogues live in a static library: naming its resources keeps them linked in.
    Q_INIT_RESOURCE(snptranslations);

    QCoreApplication::removeTranslator(&m_program);
    QCoreApplication::removeTranslator(&m_qt);
    if (!availableLanguages().contains(language)
        || !m_program.load(QLatin1String(ProgramCataloguePrefix) + language,
                           QLatin1String(ProgramCatalogueFolder))) {
        return false;
    }
    QCoreApplication::installTranslator(&m_program);

    // qtbase_xx holds the texts of the modules the program uses; qt_xx is the older catalogue
    // that gathers them where qtbase_xx is missing.
    bool qtFound = false;
    for (const QString &folder : qtTranslationFolders()) {
        for (const char *prefix : { "qtbase_", "qt_" }) {
            if (!qtFound)
                qtFound = m_qt.load(QLatin1String(prefix) + language, folder);
        }
    }
    if (qtFound)
        QCoreApplication::installTranslator(&m_qt);
    return true;
}

#ifndef CVTTRANSLATIONLOADER_H
#define CVTTRANSLATIONLOADER_H

#include <QString>
#include <QStringList>
#include <QTranslator>

// The program's texts and Qt's own (OK, Cancel, Yes, No) in the operator's language. The
// program's catalogues are embedded; Qt's come from a "translations" folder beside the
// executable (where the Windows build ships them) or from Qt's own translations folder.
// Destroying the loader takes its translators out of the application again.
class CvtTranslationLoader
{
public:
    CvtTranslationLoader() = default;
    CvtTranslationLoader(const CvtTranslationLoader &) = delete;
    CvtTranslationLoader &operator=(const CvtTranslationLoader &) = delete;

    // The languages the program's texts exist in, as the suffixes of their catalogues.
    static QStringList availableLanguages();
    // The first of the operator's languages, most wanted first ("de-DE", "pt-BR", "zh-Hans-CN",
    // "en-US"), that the program has; English when it has none of them.
    static QString chooseLanguage(const QStringList &uiLanguages);
    // The folders searched for Qt's own catalogues, in order.
    static QStringList qtTranslationFolders();

    // Installs the program's translator and Qt's own for one of the available languages, in
    // place of those installed before. False when the program has no catalogue for it.
    bool install(const QString &language);
    // The file Qt's own texts come from; empty when no catalogue was found for the language.
    QString qtCatalogue() const { return m_qt.filePath(); }

private:
    QTranslator m_program;
    QTranslator m_qt;
};

#endif // CVTTRANSLATIONLOADER_H

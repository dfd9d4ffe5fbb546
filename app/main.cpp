#include "cvcapplication.h"
#include "cvttranslationloader.h"
#include "serverconfig.h"
#include "snpupgrader.h"
#include "snpversion.h"

#include <QLocale>

int main(int argc, char *argv[])
{
    CvcApplication app("SNP300 Upgrader", argc, argv);
    app.startUp(QStringLiteral(SNP_VERSION), QStringLiteral("sextant"));
    // Operators behind a company proxy reach the firmware server through it.
    ServerConfig::useSystemProxy();

    // The window's texts are made in the operator's language, so its translators come first.
    CvtTranslationLoader translations;
    translations.install(CvtTranslationLoader::chooseLanguage(QLocale::system().uiLanguages()));

    SNPUpgrader w;
    w.show();
    return app.exec();
}

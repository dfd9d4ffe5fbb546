#include "cvcapplication.h"
#include "snpupgrader.h"

int main(int argc, char *argv[])
{
    CvcApplication app("SNP300 Upgrader", argc, argv);
    app.startUp(QStringLiteral("1.0.0"), QStringLiteral("sextant"));

    SNPUpgrader w;
    w.show();
    return app.exec();
}

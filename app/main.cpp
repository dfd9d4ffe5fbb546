#include "cvcapplication.h"
#include "serverconfig.h"
#include "snpupgrader.h"

int main(int argc, char *argv[])
{
    CvcApplication app("SNP300 Upgrader", argc, argv);
    app.startUp(QStringLiteral("1.0.0"), QStringLiteral("sextant"));
    // Operators behind a company proxy reach the firmware server through it.
    ServerConfig::useSystemProxy();

    SNPUpgrader w;
    w.show();
    return app.exec();
}

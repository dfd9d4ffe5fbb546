// snp300-upgrade: the command-line upgrader of the SNP300, for production lines.

#include "upgradecommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return UpgradeCommand::run(QCoreApplication::arguments());
}

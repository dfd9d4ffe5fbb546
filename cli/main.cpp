// snp300-upgrade: the command-line upgrader of the SNP300, for production lines.

#include "upgradecommand.h"

#include <QCoreApplication>
#include <QtGlobal>

int main(int argc, char *argv[])
{
    // Qt's own event dispatcher: nothing here needs GLib's main loop, which costs a little on
    // every image line of every device.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    return UpgradeCommand::run(QCoreApplication::arguments());
}

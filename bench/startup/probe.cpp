// Starts exactly as the program does (application object, start-up with the style "sextant",
// main window, show) and prints on one line when each step was over and when the window's first
// frame was painted, then quits. bench-startup runs it.

#include "cvcapplication.h"
#include "firstframewatcher.h"
#include "snpupgrader.h"
#include "snpversion.h"

int main(int argc, char *argv[])
{
    const qint64 entered = FirstFrameWatcher::monotonicNs();
    CvcApplication app("SNP300 Upgrader", argc, argv);
    app.startUp(QStringLiteral(SNP_VERSION), QStringLiteral("sextant"));
    const qint64 startedUp = FirstFrameWatcher::monotonicNs();

    SNPUpgrader w;
    FirstFrameWatcher watcher(&w);
    watcher.mark("main", entered);
    watcher.mark("startup", startedUp);
    watcher.mark("built");
    app.installEventFilter(&watcher);
    w.show();
    return app.exec();
}

#ifndef CONSOLETERMINAL_H
#define CONSOLETERMINAL_H

#include <QByteArray>

// The console snp300-upgrade runs in: whether its standard streams are terminals, and bytes
// written to them at once. Texts go out as UTF-8 (on Windows the console is switched to it, and
// to the escape sequences that redraw the progress lines).
class ConsoleTerminal
{
public:
    enum class Stream { Input, Output, Error };

    static bool isTerminal(Stream stream);
    // Once, before anything is written.
    static void prepare();
    static void write(Stream stream, const QByteArray &bytes);
};

#endif // CONSOLETERMINAL_H

#include "consoleterminal.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int descriptor(ConsoleTerminal::Stream stream)
{
    switch (stream) {
    case ConsoleTerminal::Stream::Input:
        return 0;
    case ConsoleTerminal::Stream::Output:
        return 1;
    case ConsoleTerminal::Stream::Error:
        return 2;
    }
    return 2;
}

} // namespace

bool ConsoleTerminal::isTerminal(Stream stream)
{
#ifdef Q_OS_WIN
    // _isatty() holds every character device for a terminal, NUL among them; only a console
    // has a console mode.
    const DWORD handles[] = { STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE };
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(handles[descriptor(stream)]), &mode) != 0;
#else
    return ::isatty(descriptor(stream)) != 0;
#endif
}

void ConsoleTerminal::prepare()
{
#ifdef Q_OS_WIN
    SetConsoleOutputCP(CP_UTF8);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode))
        SetConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#endif
}

void ConsoleTerminal::write(Stream stream, const QByteArray &bytes)
{
    FILE *file = stream == Stream::Output ? stdout : stderr;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    std::fflush(file);
}

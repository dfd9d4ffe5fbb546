#ifndef TERMINALQUESTION_H
#define TERMINALQUESTION_H

#include <QObject>
#include <QString>

// A yes-or-no question answered on the terminal, "y" or "N" (No is the default: an empty line,
// the end of input and anything else but y or yes). The line is read on a thread of its own, so
// the event loop goes on meanwhile: Ctrl+C and the devices are still served.
class TerminalQuestion : public QObject
{
    Q_OBJECT

public:
    explicit TerminalQuestion(QObject *parent = nullptr);

    // Writes the question (on standard error, which --json keeps free of anything else too) and
    // waits for the answer. One question at a time.
    void ask(const QString &question);

    static bool isYes(const QString &line);

signals:
    void answered(bool yes);
};

#endif // TERMINALQUESTION_H

#include "terminalquestion.h"

#include "consoleterminal.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <iostream>
#include <string>
#include <thread>

TerminalQuestion::TerminalQuestion(QObject *parent)
    : QObject(parent)
{ }

bool TerminalQuestion::isYes(const QString &line)
{
    const QString answer = line.trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

void TerminalQuestion::ask(const QString &question)
{
    ConsoleTerminal::write(ConsoleTerminal::Stream::Error, question.toUtf8());
    // The reader blocks in the terminal's read until a line comes; a run that ends before (Ctrl+C)
    // leaves it behind, and the process's end takes it away. Its answer reaches the question
    // only while the question still exists.
    QPointer<TerminalQuestion> self(this);
    std::thread([self] {
        std::string line;
        if (!std::getline(std::cin, line))
            line.clear();
        const QString text = QString::fromLocal8Bit(line.c_str());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, text] {
                if (self)
                    emit self->answered(isYes(text));
            },
            Qt::QueuedConnection);
    }).detach();
}

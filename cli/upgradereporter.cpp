#include "upgradereporter.h"

#include "consoleterminal.h"
#include "logger.h"

#include <QJsonDocument>

namespace {

using Stream = ConsoleTerminal::Stream;

const int ProgressBarWidth = 24;
// JSON progress: every whole percent, and otherwise at most this often.
const int JsonProgressEveryMs = 1000;
const int PlainProgressStep = 10; // percent

int percentOf(int value, int maximum)
{
    return maximum > 0 ? int(qint64(value) * 100 / maximum) : 0;
}

// A message of several lines gets the port before each.
QByteArray prefixed(const QString &port, const QString &message)
{
    QByteArray text;
    for (const QString &line : message.split(QLatin1Char('\n')))
        text += (port + QLatin1String(": ") + line + QLatin1Char('\n')).toUtf8();
    return text;
}

} // namespace

UpgradeReporter::UpgradeReporter(Mode mode)
    : m_mode(mode)
{ }

void UpgradeReporter::setPorts(const QStringList &ports)
{
    m_ports = ports;
    for (const QString &port : ports)
        m_lines.insert(port, DeviceLine());
}

QString UpgradeReporter::levelName(cvc::LogLevel level)
{
    switch (level) {
    case cvc::Trace:
        return QStringLiteral("trace");
    case cvc::Debug:
        return QStringLiteral("debug");
    case cvc::Info:
        return QStringLiteral("info");
    case cvc::Warning:
        return QStringLiteral("warning");
    case cvc::Error:
        return QStringLiteral("error");
    case cvc::Critical:
        return QStringLiteral("critical");
    case cvc::Fatal:
        return QStringLiteral("fatal");
    }
    return QStringLiteral("info");
}

void UpgradeReporter::log(const QString &port, const QString &message, cvc::LogLevel level)
{
    cvc::Logger::log(level, port + QLatin1String(": ") + message);
    if (m_mode == Mode::Json) {
        writeJson({ { QStringLiteral("event"), QStringLiteral("log") },
                    { QStringLiteral("port"), port },
                    { QStringLiteral("level"), levelName(level) },
                    { QStringLiteral("message"), message } });
        return;
    }
    writeAboveProgress(prefixed(port, message));
}

QString UpgradeReporter::progressText(int value, int maximum, const QString &format)
{
    QString text = format.isEmpty() ? QStringLiteral("%p%") : format;
    text.replace(QLatin1String("%p"), QString::number(percentOf(value, maximum)));
    text.replace(QLatin1String("%v"), QString::number(value));
    text.replace(QLatin1String("%m"), QString::number(maximum));
    return text;
}

void UpgradeReporter::progress(const QString &port, int value, int maximum, const QString &format)
{
    DeviceLine &line = m_lines[port];
    line.value = value;
    line.maximum = maximum;
    line.format = format;
    const int percent = percentOf(value, maximum);

    switch (m_mode) {
    case Mode::Json: {
        const bool due = !line.lastTold.isValid() || line.lastTold.elapsed() >= JsonProgressEveryMs;
        if (percent == line.percent && !due)
            return;
        if (percent == line.percent && value == maximum)
            return;
        line.percent = percent;
        line.lastTold.start();
        QJsonObject object { { QStringLiteral("event"), QStringLiteral("progress") },
                             { QStringLiteral("port"), port },
                             { QStringLiteral("value"), value },
                             { QStringLiteral("maximum"), maximum },
                             { QStringLiteral("percent"), percent } };
        if (!format.isEmpty())
            object.insert(QStringLiteral("text"), progressText(value, maximum, format));
        writeJson(object);
        return;
    }
    case Mode::Plain:
        if (line.percent >= 0 && percent / PlainProgressStep == line.percent / PlainProgressStep)
            return;
        line.percent = percent;
        ConsoleTerminal::write(Stream::Output,
                               prefixed(port, progressText(value, maximum, format)));
        return;
    case Mode::Terminal: {
        const QString text = progressText(value, maximum, format);
        if (text == line.text)
            return;
        line.text = text;
        line.percent = percent;
        eraseProgress();
        drawProgress();
        return;
    }
    }
}

QJsonObject UpgradeReporter::resultObject(const QString &port, const DeviceOutcome &outcome)
{
    return { { QStringLiteral("event"), QStringLiteral("result") },
             { QStringLiteral("port"), port },
             { QStringLiteral("result"), DeviceOutcome::resultName(outcome.result) },
             { QStringLiteral("cause"), outcome.cause },
             { QStringLiteral("app_before"), outcome.appBefore },
             { QStringLiteral("bootloader_before"), outcome.bootloaderBefore },
             { QStringLiteral("image"), outcome.image },
             { QStringLiteral("sha256"), QString::fromLatin1(outcome.sha256) },
             { QStringLiteral("seconds"), qRound(outcome.seconds * 10) / 10.0 } };
}

void UpgradeReporter::result(const QString &port, const DeviceOutcome &outcome)
{
    const QString name = DeviceOutcome::resultName(outcome.result);
    QString summary = QStringLiteral("Result: %1").arg(name);
    if (!outcome.cause.isEmpty())
        summary += QLatin1String(" (") + outcome.cause + QLatin1Char(')');
    const bool good = outcome.result == DeviceOutcome::Result::Completed
        || outcome.result == DeviceOutcome::Result::BootloaderUpdated
        || outcome.result == DeviceOutcome::Result::UpToDate;
    cvc::Logger::log(good ? cvc::Info : cvc::Error, port + QLatin1String(": ") + summary);
    if (m_mode == Mode::Json) {
        writeJson(resultObject(port, outcome));
        return;
    }
    DeviceLine &line = m_lines[port];
    line.text = name;
    if (!outcome.cause.isEmpty())
        line.text += QLatin1String(": ") + outcome.cause;
    writeAboveProgress(prefixed(port, summary));
}

void UpgradeReporter::notice(const QString &message, cvc::LogLevel level)
{
    cvc::Logger::log(level, message);
    if (m_mode == Mode::Terminal)
        eraseProgress();
    ConsoleTerminal::write(Stream::Error, (message + QLatin1Char('\n')).toUtf8());
    if (m_mode == Mode::Terminal)
        drawProgress();
}

void UpgradeReporter::writeJson(const QJsonObject &object)
{
    ConsoleTerminal::write(Stream::Output,
                           QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void UpgradeReporter::writeAboveProgress(const QByteArray &text)
{
    if (m_mode != Mode::Terminal) {
        ConsoleTerminal::write(Stream::Output, text);
        return;
    }
    eraseProgress();
    ConsoleTerminal::write(Stream::Output, text);
    drawProgress();
}

// Back up over the progress lines and clear from there down.
void UpgradeReporter::eraseProgress()
{
    if (m_drawnLines == 0)
        return;
    ConsoleTerminal::write(Stream::Output, "\x1b[" + QByteArray::number(m_drawnLines) + "A\x1b[J");
    m_drawnLines = 0;
}

void UpgradeReporter::drawProgress()
{
    QByteArray block;
    for (const QString &port : qAsConst(m_ports)) {
        const DeviceLine &line = m_lines.value(port);
        if (line.text.isEmpty())
            continue;
        const int filled
            = line.maximum > 0 ? int(qint64(line.value) * ProgressBarWidth / line.maximum) : 0;
        const QString bar = QString(filled, QLatin1Char('#'))
            + QString(ProgressBarWidth - filled, QLatin1Char('.'));
        block += (port + QLatin1String("  [") + bar + QLatin1String("]  ") + line.text
                  + QLatin1Char('\n'))
                     .toUtf8();
        ++m_drawnLines;
    }
    if (!block.isEmpty())
        ConsoleTerminal::write(Stream::Output, block);
}

#include "upgradepilot.h"
#include "snpupgrader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace {

const int PollIntervalMs = 20;

// Lines after which waiting makes no sense.
bool isFailureLine(const QString &line)
{
    return line == QLatin1String("Unable to connect.")
        || line == QLatin1String("Select a serial port.")
        || line == QLatin1String("Server not available or firmware already up to date")
        || line.startsWith(QLatin1String("The upgrade was not started"))
        || line.startsWith(QLatin1String("Cannot program the device"));
}

template<typename T>
T *widget(SNPUpgrader *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

} // namespace

UpgradePilot::UpgradePilot(SNPUpgrader *window, const QString &portName, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_portName(portName)
    , m_log(widget<QTextEdit>(window, "usbTxtLog"))
    , m_progress(widget<QProgressBar>(window, "usbProgressBar"))
    , m_poll(new QTimer(this))
    , m_deadline(new QTimer(this))
    , m_report([](const QString &) {})
{
    m_poll->setInterval(PollIntervalMs);
    connect(m_poll, &QTimer::timeout, this, &UpgradePilot::poll);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this,
            [this] { finish(Failed, QStringLiteral("the upgrade did not finish in time")); });
    connect(m_progress, &QProgressBar::valueChanged, this, &UpgradePilot::reportProgress);
}

void UpgradePilot::setReporter(std::function<void(const QString &)> reporter)
{
    m_report = std::move(reporter);
}

void UpgradePilot::start(int timeoutMs)
{
    auto *ports = widget<QComboBox>(m_window, "usbCmbSerialPort");
    const int index = ports->findText(m_portName);
    if (index < 0) {
        finish(Failed, QStringLiteral("the port %1 is not in the list").arg(m_portName));
        return;
    }
    ports->setCurrentIndex(index);
    m_deadline->start(timeoutMs);
    m_poll->start();
    widget<QPushButton>(m_window, "usbBtnConnect")->click();
}

void UpgradePilot::poll()
{
    readNewLogLines();
    answerMessageBox();
    pressUpgradeWhenReady();
}

void UpgradePilot::readNewLogLines()
{
    const QStringList lines = m_log->toPlainText().split(QLatin1Char('\n'));
    for (int i = m_seen.size(); i < lines.size() && m_outcome == Running; ++i) {
        const QString &line = lines.at(i);
        m_seen.append(line);
        m_report(line);
        if (line == QLatin1String("UPGRADE IS DONE"))
            finish(Done);
        else if (isFailureLine(line))
            finish(Failed, line);
    }
}

// The versions are read once the device said it is ready and, when it runs its application,
// once its application version is in too.
void UpgradePilot::pressUpgradeWhenReady()
{
    const bool ready = m_seen.contains(QLatin1String("Device ready to start update"))
        && (!m_seen.filter(QLatin1String("Application Version")).isEmpty()
            || !m_seen.filter(QLatin1String("(bootloader only)")).isEmpty());
    auto *upgrade = widget<QPushButton>(m_window, "usbBtnUpgrade");
    if (m_outcome != Running || m_upgradePressed || !ready || !upgrade->isEnabled())
        return;
    m_upgradePressed = true;
    // The button's handler runs nested event loops (server, box): press it from its own event
    // so that this poll returns first and goes on answering the box.
    QTimer::singleShot(0, upgrade, &QPushButton::click);
}

void UpgradePilot::answerMessageBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    QString text = box->text().trimmed();
    m_report(QStringLiteral("[box] ")
             + text.replace(QLatin1Char('\n'), QStringLiteral("\n      ")));
    QAbstractButton *ok = box->button(QMessageBox::Ok);
    (ok ? ok : box->buttons().value(0))->click();
}

void UpgradePilot::reportProgress(int value)
{
    if (m_progress->maximum() <= 0)
        return;
    const int tenths = value * 10 / m_progress->maximum();
    if (tenths <= m_reportedTenths)
        return;
    m_reportedTenths = tenths;
    m_report(QStringLiteral("[progress] %1% (%2 of %3 lines)")
                 .arg(tenths * 10)
                 .arg(value)
                 .arg(m_progress->maximum()));
}

void UpgradePilot::finish(Outcome outcome, const QString &failure)
{
    if (m_outcome != Running)
        return;
    m_outcome = outcome;
    m_failure = failure;
    m_deadline->stop();
    // The poll goes on answering boxes (the bootloader's restart box) until the caller quits.
    disconnect(m_poll, &QTimer::timeout, this, &UpgradePilot::poll);
    connect(m_poll, &QTimer::timeout, this, &UpgradePilot::answerMessageBox);
    emit finished(outcome == Done);
}

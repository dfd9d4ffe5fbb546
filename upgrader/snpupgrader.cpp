#include "snpupgrader.h"
#include "logger.h"
#include "portopenfailure.h"
#include "serialportlist.h"
#include "snpdurations.h"
#include "snpprotocol.h"
#include "ui_snpupgrader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QMessageBox>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTextDocument>
#include <QTimer>

namespace {

using namespace SnpDurations;

// The Connect button says what it does next; a screen reader names it by the same words.
void setActionText(QPushButton *button, const QString &text)
{
    button->setText(text);
    button->setAccessibleName(text);
}

} // namespace

SNPUpgrader::SNPUpgrader(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::SNPUpgrader)
{
    ui->setupUi(this);
    initialize();
    // The BLE page is built by the form but not used: only the USB page shows.
    ui->tabWidget->removeTab(1);
}

// The port and the timers are children of the window and go with it. The port reports nothing
// while it is being destroyed: by then the window is only a QWidget.
SNPUpgrader::~SNPUpgrader()
{
    // A window closed in the middle of an upgrade leaves the device half-programmed.
    endAttempt(UpgradeHistory::Result::Interrupted);
    disconnect(m_serialPort, nullptr, this, nullptr);
    delete ui;
}

// Closing the window in the middle of programming leaves the device without working firmware:
// between the upgrade's first byte and its end the operator is asked first, No being the
// default. Closing goes on as before otherwise; the destructor records an upgrade it cuts off.
void SNPUpgrader::closeEvent(QCloseEvent *event)
{
    if (m_attempt.isRunning() && !confirmCloseDuringUpgrade()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// The question runs a nested event loop, during which the upgrade goes on untouched (it may even
// end meanwhile); the answer stands either way.
bool SNPUpgrader::confirmCloseDuringUpgrade()
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("SNPUpgrader"));
    box.setIcon(QMessageBox::Question);
    box.setText(tr("An upgrade of the SNP300 is running. Closing now leaves the device without "
                   "working firmware until it is upgraded again. Close anyway?"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    int answer = QMessageBox::No;
    runModal([&box, &answer] { answer = box.exec(); });
    return answer == QMessageBox::Yes;
}

void SNPUpgrader::initialize()
{
    ui->usbBtnUpgrade->setEnabled(false);
    ui->usbProgressBar->setValue(0);
    ui->usbProgressBar->setStyleSheet(
        QStringLiteral("QProgressBar::chunk {background-color: #fdba12; text-align:center;} "
                       "QProgressBar::horizontal {text-align: center;}"));

    m_verStrTimer = new QTimer(this);
    m_verStrTimer->setInterval(WatchdogMs);
    m_bootLoaderTimer = new QTimer(this);
    m_bootLoaderTimer->setInterval(WatchdogMs);

    m_serialPort = new QSerialPort(this);

    m_silenceTimer = new QTimer(this);
    m_silenceTimer->setSingleShot(true);
    m_silenceTimer->setInterval(SilenceNoticeMs);

    connect(ui->usbBtnConnect, &QPushButton::clicked, this, &SNPUpgrader::toggleConnection);
    connect(ui->usbBtnUpgrade, &QPushButton::clicked, this, &SNPUpgrader::onUpgradeClicked);
    connect(ui->usbBtnSerialPortRefresh, &QPushButton::clicked, this,
            &SNPUpgrader::refreshSerialPorts);
    connect(m_serialPort, &QSerialPort::readyRead, this, &SNPUpgrader::readSerialData);
    connect(m_verStrTimer, &QTimer::timeout, this, &SNPUpgrader::verStrTimeout);
    connect(m_bootLoaderTimer, &QTimer::timeout, this, &SNPUpgrader::bootLoaderTimeout);
    connect(m_serialPort, &QSerialPort::errorOccurred, this, &SNPUpgrader::onSerialError);
    connect(m_silenceTimer, &QTimer::timeout, this, &SNPUpgrader::onDeviceSilent);

    refreshSerialPorts();
}

void SNPUpgrader::refreshSerialPorts()
{
    ui->usbCmbSerialPort->clear();
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        ui->usbCmbSerialPort->addItem(port.portName());
    ui->usbCmbSerialPort->addItems(SerialPortList::extraPorts());
}

void SNPUpgrader::toggleConnection()
{
    if (m_serialPort->isOpen()) {
        closeLink(true);
        return;
    }

    const QString portName = ui->usbCmbSerialPort->currentText();
    if (portName.isEmpty()) {
        appendLog(QStringLiteral("Select a serial port."), cvc::Warning);
        return;
    }

    m_serialPort->setPortName(portName);
    m_serialPort->setDataBits(QSerialPort::Data8);
    m_serialPort->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    m_serialPort->setParity(QSerialPort::NoParity);
    m_serialPort->setStopBits(QSerialPort::OneStop);
    m_serialPort->setFlowControl(QSerialPort::NoFlowControl);

    if (!m_serialPort->open(QIODevice::ReadWrite)) {
        // The port's error is read before close(), which replaces it.
        const PortOpenFailure::Facts facts = PortOpenFailure::factsOf(*m_serialPort, portName);
        m_serialPort->close();
        m_serialPort->clearError();
        appendLog(QStringLiteral("Unable to connect."), cvc::Error);
        appendLog(PortOpenFailure::explanation(facts), cvc::Error);
        return;
    }

    m_linksOpened.linkOpened();
    appendLog(QStringLiteral("Connected. Select Upgrade SNP300 to continue."));
    setActionText(ui->usbBtnConnect, tr("Disconnect"));
    setState(ConnectProbe);
    writeToDevice(SnpProtocol::VersionRequest);
    // A port that fails on the first write has closed the link and said so: nothing to watch.
    if (!m_serialPort->isOpen())
        return;
    m_verStrTimer->start();
    // While an upgrade is being chosen the button stays disabled; the choice sets it when done.
    ui->usbBtnUpgrade->setEnabled(!isChoosingUpgrade());
}

LinkTicket SNPUpgrader::linkTicket() const
{
    return LinkTicket(m_serialPort, m_linksOpened);
}

// Closes the link as Disconnect does. CAN tells the device to leave its bootloader; it must reach
// the device before the port closes, since closing drops what is not yet written (on Windows it
// cancels a write still pending).
//
// The watchdogs are left running on purpose: Disconnect closes the link and changes nothing else
// of the dialogue (its state, the versions, a running watchdog), as the dialogue has always
// behaved. A watchdog that fires afterwards writes nothing to the closed port (writeToDevice)
// and closes nothing (bootLoaderTimeout), and its box still tells the operator that the device
// had not answered. Do not stop them here; a port that fails under the link is another matter
// (onSerialError).
void SNPUpgrader::closeLink(bool sendCancel)
{
    if (sendCancel) {
        writeToDevice(SnpProtocol::Cancel);
        drainWrites(FinalWriteDrainMs);
    }
    m_serialPort->close();
    m_silenceTimer->stop();
    endAttempt(UpgradeHistory::Result::Interrupted);
    ui->usbProgressBar->resetFormat(); // no time left for an upgrade that ended
    setActionText(ui->usbBtnConnect, tr("Connect"));
    ui->usbBtnUpgrade->setEnabled(false);
}

// Waits until every byte written has left, or the time is up. One wait for bytes written may end
// on an earlier write's completion while the last write is still pending, so it waits again
// until nothing is left. The wait reads what the device sends meanwhile; none of it may reach
// the dialogue, which would answer it with an image line after CAN or close the link again.
void SNPUpgrader::drainWrites(int timeoutMs)
{
    const QSignalBlocker quiet(m_serialPort);
    const QDeadlineTimer deadline(timeoutMs);
    while (m_serialPort->bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_serialPort->waitForBytesWritten(int(deadline.remainingTime())))
            break;
    }
}

void SNPUpgrader::verStrTimeout()
{
    // The device did not answer VER in time: it may be running its bootloader, so probe for
    // the bootloader prompt.
    m_verStrTimer->stop();
    setState(BootloaderProbe);
    writeToDevice(SnpProtocol::Stx);
    m_bootLoaderTimer->start();
}

void SNPUpgrader::bootLoaderTimeout()
{
    m_bootLoaderTimer->stop();
    const LinkTicket link = linkTicket();
    showInformation(tr("The SNP300 is not responding to request,\nPlease switch it off to reset it "
                       "and restart.\nConnection will be closed."));
    // The box waited for the operator, who may have connected again meanwhile: only the link
    // that did not answer is closed.
    if (link.isSameOpenLink())
        closeLink(true);
}

// Bytes go out at once rather than on the next turn of the event loop, which saves a turn per
// image line. A step scheduled before the link was closed finds no port: nothing is written then.
void SNPUpgrader::writeToDevice(const QByteArray &bytes)
{
    if (m_serialPort->isOpen()) {
        m_serialPort->write(bytes);
        m_serialPort->flush();
    }
}

// The port failed under the open link, typically because the device was unplugged. The link is
// closed as Disconnect does, but nothing more is written to a port that is gone, and unlike
// Disconnect (see closeLink) the watchdogs stop: there is no device left to probe, and a
// watchdog firing later would show the operator a box about a device that is not there.
void SNPUpgrader::onSerialError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_serialPort->isOpen())
        return; // failures of open() are reported by the Connect button
    const QString reason = m_serialPort->errorString();
    m_serialPort->clearError();
    const bool linkLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError || error == QSerialPort::DeviceNotFoundError
        || error == QSerialPort::PermissionError;
    if (!linkLost) {
        appendLog(QStringLiteral("Serial port %1 reported an error (%2).")
                      .arg(m_serialPort->portName(), reason),
                  cvc::Warning);
        return;
    }

    // After CAN the whole image is on the device, which is only starting its application.
    const bool upgrading = isUpgrading() && m_state != Finished;
    appendLog(QStringLiteral("The link to %1 was lost: the port failed (%2) while %3. The "
                             "connection is closed.%4")
                  .arg(m_serialPort->portName(), reason, dialogueStage(),
                       upgrading ? QStringLiteral(" The upgrade did not complete: reconnect "
                                                  "the SNP300 and start the upgrade again.")
                                 : QString()),
              cvc::Error);
    m_verStrTimer->stop();
    m_bootLoaderTimer->stop();
    closeLink(false);
}

void SNPUpgrader::onDeviceSilent()
{
    appendLog(QStringLiteral("The SNP300 has not answered for %1 s while %2. Still waiting; check "
                             "its cable and power, or press Disconnect.")
                  .arg(SilenceNoticeMs / 1000)
                  .arg(dialogueStage()),
              cvc::Warning);
}

// Where the dialogue stands, for the operator: "programming (state 8), line 120 of 2000".
QString SNPUpgrader::dialogueStage() const
{
    QString stage;
    switch (m_state) {
    case ConnectProbe:
        stage = QStringLiteral("waiting for the device's first answer");
        break;
    case ReadVersion:
        stage = QStringLiteral("reading the device's versions");
        break;
    case BootloaderProbe:
        stage = QStringLiteral("probing the bootloader");
        break;
    case EnterBootloader:
        stage = QStringLiteral("entering the bootloader");
        break;
    case WaitPrompt:
        stage = QStringLiteral("waiting for the bootloader prompt");
        break;
    case Unlock:
        stage = QStringLiteral("unlocking the device");
        break;
    case ConfirmErase:
        stage = QStringLiteral("confirming the erase");
        break;
    case Erase:
        stage = QStringLiteral("erasing the device");
        break;
    case LoadImage:
        stage = QStringLiteral("loading the image");
        break;
    case Programming:
        stage = QStringLiteral("programming");
        break;
    case Finished:
        stage = QStringLiteral("starting the application");
        break;
    default:
        stage = QStringLiteral("in an unknown stage");
        break;
    }
    stage += QStringLiteral(" (state %1)").arg(m_state);
    if (m_state == Programming)
        stage += QStringLiteral(", line %1 of %2").arg(m_lineIndex).arg(m_fileLines.size());
    return stage;
}

// Each message is a new paragraph of the log box. Text from the device or the file system is
// shown as it stands: what would read as markup is escaped rather than rendered.
// The log file keeps what the operator saw, each message as it stands.
void SNPUpgrader::appendLog(const QString &message, cvc::LogLevel level)
{
    cvc::Logger::log(level, message);
    if (!Qt::mightBeRichText(message)) {
        ui->usbTxtLog->append(message);
        return;
    }
    QString escaped = message.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    ui->usbTxtLog->append(QLatin1String("<span>") + escaped + QLatin1String("</span>"));
}

void SNPUpgrader::showInformation(const QString &text)
{
    runModal([&text] {
        QMessageBox::information(nullptr, QStringLiteral("SNPUpgrader"), text, QMessageBox::Ok);
    });
}

// A box may open while a server wait shows the busy cursor (a watchdog, the Upgrade button during
// a version query): it asks the operator for something, so it shows the normal cursor.
void SNPUpgrader::runModal(const std::function<void()> &showBox)
{
    const bool waiting = !m_replyWaits.isEmpty();
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    showBox();
    if (waiting)
        QApplication::restoreOverrideCursor();
}

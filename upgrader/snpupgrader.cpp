#include "snpupgrader.h"
#include "logger.h"
#include "serialportlist.h"
#include "snp300session.h"
#include "ui_snpupgrader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QTextDocument>

namespace {

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

// The engine is a child of the window and goes with it. It reports nothing while it is being
// destroyed: by then the window is only a QWidget.
SNPUpgrader::~SNPUpgrader()
{
    // A window closed in the middle of an upgrade leaves the device half-programmed.
    m_session->abandonUpgrade();
    disconnect(m_session, nullptr, this, nullptr);
    delete ui;
}

// Closing the window in the middle of programming leaves the device without working firmware:
// between the upgrade's first byte and its end the operator is asked first, No being the
// default. Closing goes on as before otherwise; the destructor records an upgrade it cuts off.
void SNPUpgrader::closeEvent(QCloseEvent *event)
{
    if (m_session->isUpgrading() && !confirmCloseDuringUpgrade()) {
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

    m_session = new Snp300Session(this);
    // The newest bootloader the server offers, asked in the middle of the device's answer.
    m_session->setBootloaderVersionQuery([this] {
        QString serverVersion;
        queryFirmwareServer(true, &serverVersion, false);
        return serverVersion;
    });

    connect(ui->usbBtnConnect, &QPushButton::clicked, this, &SNPUpgrader::toggleConnection);
    connect(ui->usbBtnUpgrade, &QPushButton::clicked, this, &SNPUpgrader::onUpgradeClicked);
    connect(ui->usbBtnSerialPortRefresh, &QPushButton::clicked, this,
            &SNPUpgrader::refreshSerialPorts);
    connectSession();

    refreshSerialPorts();
}

void SNPUpgrader::connectSession()
{
    connect(m_session, &Snp300Session::logLine, this, &SNPUpgrader::appendLog);
    connect(m_session, &Snp300Session::linkOpened, this, &SNPUpgrader::onLinkOpened);
    connect(m_session, &Snp300Session::linkClosed, this, &SNPUpgrader::onLinkClosed);
    connect(m_session, &Snp300Session::progressChanged, this, &SNPUpgrader::showProgress);
    connect(m_session, &Snp300Session::timeLeftChanged, this, &SNPUpgrader::showTimeLeft);
    connect(m_session, &Snp300Session::bootloaderNotResponding, this,
            &SNPUpgrader::bootLoaderTimeout);
    connect(m_session, &Snp300Session::upgradeEnded, this,
            [this](UpgradeHistory::Result result) { onUpgradeEnded(result); });
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
    if (m_session->isOpen()) {
        m_session->closeLink(true);
        return;
    }

    const QString portName = ui->usbCmbSerialPort->currentText();
    if (portName.isEmpty()) {
        appendLog(QStringLiteral("Select a serial port."), cvc::Warning);
        return;
    }
    // A port that fails on the first write has closed the link and said so.
    if (!m_session->openPort(portName) || !m_session->isOpen())
        return;
    // While an upgrade is being chosen the button stays disabled; the choice sets it when done.
    ui->usbBtnUpgrade->setEnabled(!isChoosingUpgrade());
}

void SNPUpgrader::onLinkOpened()
{
    appendLog(QStringLiteral("Connected. Select Upgrade SNP300 to continue."));
    setActionText(ui->usbBtnConnect, tr("Disconnect"));
}

void SNPUpgrader::onLinkClosed()
{
    ui->usbProgressBar->resetFormat(); // no time left for an upgrade that ended
    setActionText(ui->usbBtnConnect, tr("Connect"));
    ui->usbBtnUpgrade->setEnabled(false);
}

void SNPUpgrader::showProgress(int value, int maximum)
{
    ui->usbProgressBar->setMinimum(0);
    ui->usbProgressBar->setMaximum(maximum);
    ui->usbProgressBar->setValue(value);
}

void SNPUpgrader::showTimeLeft(const QString &format)
{
    if (format.isEmpty())
        ui->usbProgressBar->resetFormat();
    else
        ui->usbProgressBar->setFormat(format);
}

// The engine has closed the link of a completed upgrade; after a bootloader the operator is told
// what comes next.
void SNPUpgrader::onUpgradeEnded(UpgradeHistory::Result result)
{
    if (result == UpgradeHistory::Result::Completed && m_session->bootloaderUpdateNeeded()) {
        showInformation(tr("The SNP300 Bootloader has been updated\nRestart SNP300.\nRestart "
                           "SnpUpgrader to upgrade the firmware."));
    }
}

LinkTicket SNPUpgrader::linkTicket() const
{
    return m_session->linkTicket();
}

// The version watchdog is the engine's: this runs its bootloader probe at once.
void SNPUpgrader::verStrTimeout()
{
    m_session->probeBootloader();
}

// The engine's bootloader watchdog ran out: the device does not answer.
void SNPUpgrader::bootLoaderTimeout()
{
    const LinkTicket link = linkTicket();
    showInformation(tr("The SNP300 is not responding to request,\nPlease switch it off to reset it "
                       "and restart.\nConnection will be closed."));
    // The box waited for the operator, who may have connected again meanwhile: only the link
    // that did not answer is closed.
    if (link.isSameOpenLink())
        m_session->closeLink(true);
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

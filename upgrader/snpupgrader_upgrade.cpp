// The Upgrade button: what is to be programmed, the operator's confirmation, the image file
// (a local test image or the newer image from the server), and the hand-over to the dialogue.

#include "snp300session.h"
#include "snpprotocol.h"
#include "snpupgrader.h"
#include "ui_snpupgrader.h"
#include "upgradeconfirmation.h"

#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

// While an upgrade is being chosen a new connection leaves the Upgrade button disabled: the
// choice enables it again when it is done.
bool SNPUpgrader::isChoosingUpgrade() const
{
    return m_upgradeChoice.has_value();
}

void SNPUpgrader::onUpgradeClicked()
{
    // Choosing the image runs nested event loops (the server waits, the confirmation), during
    // which the button could be pressed again and the link closed or opened again. One choice
    // runs at a time, and it starts nothing on a link other than the one it was made for.
    if (isChoosingUpgrade())
        return;
    m_upgradeChoice = linkTicket();
    ui->usbBtnUpgrade->setEnabled(false);
    m_downloadNotStored = false;
    const QString imagePath = selectUpgradeFile();
    const LinkTicket link = *m_upgradeChoice;
    m_upgradeChoice.reset();

    if (!link.isSameOpenLink()) {
        appendLog(m_session->isOpen()
                      ? QStringLiteral("The upgrade was not started: the SNP300 was connected "
                                       "again while the upgrade was being prepared. Press "
                                       "Upgrade SNP300... to prepare it on this connection.")
                      : QStringLiteral("The upgrade was not started: the link to the SNP300 was "
                                       "closed while the upgrade was being prepared."),
                  cvc::Warning);
        ui->usbBtnUpgrade->setEnabled(m_session->isOpen());
        return;
    }
    if (imagePath.isEmpty()) {
        // An image that came but could not be stored is no fault of the server: its cause has
        // been told, and the line that would send the operator to the network is left out.
        if (!m_downloadNotStored)
            appendLog(QStringLiteral("Server not available or firmware already up to date"),
                      cvc::Warning);
        ui->usbBtnUpgrade->setEnabled(true);
        return;
    }

    // The engine checks the whole image before the first byte, and refuses a damaged one.
    ui->usbBtnUpgrade->setEnabled(false);
    if (!m_session->startUpgrade(imagePath))
        ui->usbBtnUpgrade->setEnabled(true);
}

QString SNPUpgrader::selectUpgradeFile()
{
    QString availableVersion;
    queryFirmwareServer(m_session->bootloaderUpdateNeeded(), &availableVersion, false);
    const bool serverUsable = !availableVersion.isEmpty();

    const QString text = UpgradeConfirmation::text(
        serverUsable, m_session->bootloaderUpdateNeeded(), m_session->appVersion(),
        m_session->bootloaderVersion(), availableVersion);

    QMessageBox box;
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setStyleSheet(QStringLiteral("QLabel{min-width:550 px;}"));
    int answer = QMessageBox::Cancel;
    runModal([&box, &answer] { answer = box.exec(); });
    // Nothing is fetched for a link that has gone while the operator was asked.
    if (!serverUsable || answer != QMessageBox::Ok || !m_upgradeChoice->isSameOpenLink())
        return QString();

    // A local test image, when there is one, is taken instead of the server's.
    const QString folder = documentsFolder();
    QStringList testImages = QDir(folder).entryList(
        //: The names of local test images; %1 is the file extension. Keep it exactly as it is.
        QStringList(tr("test_*.%1").arg(QLatin1String(SnpProtocol::FirmwareServiceId))),
        QDir::Files, QDir::Name);
    QString result;
    if (!testImages.isEmpty()) {
        std::sort(testImages.begin(), testImages.end());
        //: A file path: %1 is a folder, %2 a file name. Keep it exactly as it is.
        result = tr("%1/%2").arg(folder, testImages.first());
        update();
    }

    if (result.isEmpty()) {
        result = queryFirmwareServer(m_session->bootloaderUpdateNeeded(), &availableVersion, true);
        if (result == QLatin1String(SnpProtocol::NoRequestResponse))
            result.clear();
    }
    return result;
}

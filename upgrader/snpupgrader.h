#ifndef SNPUPGRADER_H
#define SNPUPGRADER_H

#include "linkticket.h"
#include "loglevel.h"
#include "replywaits.h"
#include "upgradehistory.h"

#include <QByteArray>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>

class QCloseEvent;
class QDomNode;
class QNetworkReply;
class Snp300Session;

namespace Ui {
class SNPUpgrader;
}

// The program's only window. It holds the upgrade engine (Snp300Session: the serial link to the
// SNP300 and the dialogue with its bootloader) and shows what it reports; it owns the
// firmware-server client and the upgrade decision. Everything runs on the GUI thread; the server
// waits and the message boxes run nested event loops, so every handler acts on the state it
// finds when it runs.
class SNPUpgrader : public QMainWindow
{
    Q_OBJECT

public:
    explicit SNPUpgrader(QWidget *parent = nullptr);
    ~SNPUpgrader() override;

    // The one entry to the firmware server, synchronous to its callers. Returns
    // "NoRequestResponse" when the list went unanswered, the newest file's name when it is newer
    // than the device and download is false, the stored file's path when it was downloaded, and
    // an empty string otherwise. *availableVersion gets the newest version of the kind whenever
    // the list holds a file of that kind.
    QString queryFirmwareServer(bool bootloader, QString *availableVersion, bool download);

    // Text of the first child element of node named tagName, empty when there is none.
    static QString childElementText(const QDomNode &node, const QString &tagName);

signals:
    void phpDownloadFinished();

protected:
    // Between the upgrade's first byte and its end, asks before the window closes.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void replyUrlRequestFinished(QNetworkReply *reply);
    void verStrTimeout();
    void bootLoaderTimeout();

private:
    void initialize();
    void connectSession();
    void refreshSerialPorts();
    void toggleConnection();
    void onUpgradeClicked();
    QString selectUpgradeFile();

    // An upgrade is being chosen (m_upgradeChoice); the Upgrade button stays disabled meanwhile.
    bool isChoosingUpgrade() const;

    // What the engine reports, shown in the window.
    void onLinkOpened();
    void onLinkClosed();
    void showProgress(int value, int maximum);
    void showTimeLeft(const QString &format);
    void onUpgradeEnded(UpgradeHistory::Result result);

    // The link open now, to be asked after a nested event loop whether it still is.
    LinkTicket linkTicket() const;
    // A line of the log box, which also goes to the run's log file at the given level.
    void appendLog(const QString &message, cvc::LogLevel level = cvc::Info);
    void showInformation(const QString &text);
    void runModal(const std::function<void()> &showBox);
    // The firmware-server requests, the values of m_requestKind.
    enum RequestKind { ListRequest = 0, DownloadRequest = 1 };
    ReplyWaits::Outcome awaitReply(QNetworkReply *reply, RequestKind kind, int timeoutMs,
                                   const QString &fileName = QString());
    QString storeDownload(const QString &fileName);
    bool confirmCloseDuringUpgrade();

    friend struct SNPUpgraderProbe; // read access for the tests

    int m_requestKind = 0; // 0: list request outstanding, 1: download outstanding
    QString m_replyText;
    QByteArray m_downloadData;
    Ui::SNPUpgrader *ui = nullptr;
    // The upgrade engine: the link, the device dialogue, the versions, the attempt's record.
    Snp300Session *m_session = nullptr;

    // The server replies that the waits in progress wait for, and what each brought.
    ReplyWaits m_replyWaits;
    // The link an upgrade is being chosen for (server queries, confirmation, download); none
    // while no upgrade is being chosen. Owned by the Upgrade button's handler.
    std::optional<LinkTicket> m_upgradeChoice;
    // The image chosen was downloaded but could not be stored. The cause has been told; nothing
    // that blames the server follows it.
    bool m_downloadNotStored = false;
};

#endif // SNPUPGRADER_H

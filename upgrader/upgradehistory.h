#ifndef UPGRADEHISTORY_H
#define UPGRADEHISTORY_H

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The record of every upgrade attempt that reached the device or was refused for its image:
// History.csv in the data folder (beside the Logs folder, so the log retention never deletes
// it). UTF-8, one row per attempt with the fields quoted as RFC 4180 has it, a header row when
// the file is created; rows are only ever appended, each under a lock file beside it
// (History.csv.lock), so that windows side by side write the header once and whole rows.
class UpgradeHistory
{
public:
    enum class Result { Completed, Interrupted, Refused };

    struct Entry
    {
        QDateTime startedUtc; // when the first byte of the upgrade went to the device
        QString port;
        QString appBefore; // the versions the device reported before the upgrade
        QString bootloaderBefore;
        bool bootloader = false; // the image is the bootloader's, not the application's
        QString image; // the full path
        QByteArray sha256; // of the file's bytes; empty when the file could not be read
        qint64 bytes = 0;
        int lines = 0;
        Result result = Result::Completed;
        double seconds = 0; // from the first byte to the end

        // The same facts in one sentence, for the log file.
        QString summary() const;
        QStringList fields() const;
    };

    // <Documents>/Corvane/SNP300 Upgrader/History.csv
    static QString defaultPath();
    static QStringList header();

    explicit UpgradeHistory(const QString &path = defaultPath());

    QString path() const { return m_path; }
    // Appends the entry's row, and the header first when the file is new or empty. False when
    // the row could not be written whole; errorString() then says why.
    bool append(const Entry &entry);
    QString errorString() const { return m_errorString; }

    // One row: the fields joined by commas, those holding a comma, a quote or a line break
    // quoted, quotes doubled; CR LF at the end. A field that begins with =, +, -, @, a tab or a
    // CR gets an apostrophe before it inside quotes, so that spreadsheets show it as text.
    static QByteArray csvRow(const QStringList &fields);

private:
    QString m_path;
    QString m_errorString;
};

#endif // UPGRADEHISTORY_H

#include "upgradehistory.h"
#include "snpdurations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// How long an append waits for another window (or program) that appends at the same time.

// A field that a spreadsheet would read as a formula (or as the start of one).
bool startsLikeAFormula(const QString &field)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !field.isEmpty() && formulaStarts.contains(field.at(0));
}

QString resultName(UpgradeHistory::Result result)
{
    switch (result) {
    case UpgradeHistory::Result::Completed:
        return QStringLiteral("completed");
    case UpgradeHistory::Result::Interrupted:
        return QStringLiteral("interrupted");
    case UpgradeHistory::Result::Refused:
        return QStringLiteral("refused");
    }
    return QString();
}

QString kindName(bool bootloader)
{
    return bootloader ? QStringLiteral("bootloader") : QStringLiteral("application");
}

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 1);
}

// Whether the file at path holds something that does not end with a line feed: a row cut short
// by a crash or a full disk.
bool endsInsideARow(const QString &path)
{
    QFile file(path);
    char last = '\n';
    if (file.open(QIODevice::ReadOnly) && file.size() > 0 && file.seek(file.size() - 1))
        file.getChar(&last);
    return last != '\n';
}

} // namespace

QString UpgradeHistory::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + QLatin1String("/Corvane/SNP300 Upgrader/History.csv");
}

QStringList UpgradeHistory::header()
{
    return { QStringLiteral("utc_time"),   QStringLiteral("port"),
             QStringLiteral("app_before"), QStringLiteral("bootloader_before"),
             QStringLiteral("kind"),       QStringLiteral("image"),
             QStringLiteral("sha256"),     QStringLiteral("bytes"),
             QStringLiteral("lines"),      QStringLiteral("result"),
             QStringLiteral("seconds") };
}

UpgradeHistory::UpgradeHistory(const QString &path)
    : m_path(path)
{ }

QStringList UpgradeHistory::Entry::fields() const
{
    // A file that could not be read has no digest, size or lines to tell.
    const bool read = !sha256.isEmpty();
    return { startedUtc.toUTC().toString(Qt::ISODate),
             port,
             appBefore,
             bootloaderBefore,
             kindName(bootloader),
             image,
             QString::fromLatin1(sha256.toHex()),
             read ? QString::number(bytes) : QString(),
             read ? QString::number(lines) : QString(),
             resultName(result),
             secondsText(seconds) };
}

QString UpgradeHistory::Entry::summary() const
{
    const QString file = sha256.isEmpty()
        ? QStringLiteral("which could not be read")
        : QStringLiteral("SHA-256 %1, %2 bytes, %3 lines")
              .arg(QString::fromLatin1(sha256.toHex()), QString::number(bytes),
                   QString::number(lines));
    return QStringLiteral("Upgrade %1: %2 image %3 (%4) on %5, the device having application %6 "
                          "and bootloader %7; started %8, %9 s.")
        .arg(resultName(result), kindName(bootloader), image, file, port, appBefore,
             bootloaderBefore, startedUtc.toUTC().toString(Qt::ISODate), secondsText(seconds));
}

bool UpgradeHistory::append(const Entry &entry)
{
    m_errorString.clear();
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_errorString = QStringLiteral("the folder %1 cannot be created").arg(folder);
        return false;
    }
    // Two windows may end an upgrade at the same moment: under the lock beside the file one of
    // them writes the header of a new file, and each row goes in whole after the other.
    QLockFile lock(m_path + QLatin1String(".lock"));
    if (!lock.tryLock(SnpDurations::HistoryLockWaitMs)) {
        switch (lock.error()) {
        case QLockFile::LockFailedError:
            m_errorString = QStringLiteral("another program has held %1.lock for %2 s")
                                .arg(m_path)
                                .arg(SnpDurations::HistoryLockWaitMs / 1000);
            break;
        case QLockFile::PermissionError:
            m_errorString
                = QStringLiteral("no permission to create the lock file %1.lock").arg(m_path);
            break;
        default:
            m_errorString = QStringLiteral("the lock file %1.lock cannot be created").arg(m_path);
            break;
        }
        return false;
    }
    QByteArray text;
    if (QFileInfo(m_path).size() == 0)
        text = csvRow(header());
    else if (endsInsideARow(m_path))
        text = "\r\n"; // the row cut short stays as it is; the next one starts on a line of its own
    text += csvRow(entry.fields());

    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_errorString = file.errorString();
        return false;
    }
    if (file.write(text) != text.size() || !file.flush()) {
        m_errorString = file.errorString();
        return false;
    }
    return true;
}

QByteArray UpgradeHistory::csvRow(const QStringList &fields)
{
    QStringList quoted;
    for (QString field : fields) {
        // Versions come from the device: one that reads as a formula is shown by spreadsheets
        // as text, with an apostrophe before it inside the quotes (as OWASP has it for CSV).
        const bool formula = startsLikeAFormula(field);
        if (formula)
            field.prepend(QLatin1Char('\''));
        if (formula || field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
            || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
            field.replace(QLatin1Char('"'), QLatin1String("\"\""));
            field = QLatin1Char('"') + field + QLatin1Char('"');
        }
        quoted.append(field);
    }
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

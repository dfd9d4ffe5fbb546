#ifndef DOWNLOADPROGRESSBAR_H
#define DOWNLOADPROGRESSBAR_H

#include <QPointer>
#include <QString>

class QProgressBar;

// Shows a running download in the progress bar's text, so that the operator sees it is running:
// the bytes so far, and of how many when the server announced the size ("Downloading x: 1.5 MiB
// of 3 MiB"). Only the text changes: the bar's range and value stay those of programming. The
// text is put back as it was when the object goes, whichever way the download ended.
class DownloadProgressBar
{
public:
    DownloadProgressBar(QProgressBar *bar, const QString &fileName);
    ~DownloadProgressBar();

    DownloadProgressBar(const DownloadProgressBar &) = delete;
    DownloadProgressBar &operator=(const DownloadProgressBar &) = delete;

    // total: the announced size, or -1 when it is not known.
    void show(qint64 received, qint64 total);

private:
    QPointer<QProgressBar> m_bar;
    QString m_fileName;
    QString m_format;
};

#endif // DOWNLOADPROGRESSBAR_H

#include "downloadprogressbar.h"

#include "boundedreply.h"

#include <QProgressBar>

DownloadProgressBar::DownloadProgressBar(QProgressBar *bar, const QString &fileName)
    : m_bar(bar)
    , m_fileName(fileName)
    , m_format(bar->format())
{ }

DownloadProgressBar::~DownloadProgressBar()
{
    if (m_bar)
        m_bar->setFormat(m_format);
}

void DownloadProgressBar::show(qint64 received, qint64 total)
{
    if (!m_bar)
        return;
    const QString text = total >= 0
        ? QStringLiteral("Downloading %1: %2 of %3")
              .arg(m_fileName, BoundedReply::sizeText(received), BoundedReply::sizeText(total))
        : QStringLiteral("Downloading %1: %2 so far")
              .arg(m_fileName, BoundedReply::sizeText(received));
    m_bar->setFormat(text);
}

#include "firmwarecatalogue.h"

#include "serverfilename.h"
#include "snpprotocol.h"
#include "versionnumber.h"

#include <QDomDocument>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

// No file list nests this deep; a list that does is refused before the document parser sees it.
const int MaxListDepth = 256;

// The document parser expands the entities of an internal DTD without a total limit and
// recurses once per nesting level, so a hostile list could exhaust the memory or the stack. A
// file list needs neither: a list with a DTD, or nested deeper than any list is, is refused. The
// scan must reach the end to see every level, so what it cannot read to the end is refused as
// not well-formed too; it reads names as the document parser does, without namespaces.
QString plainShallowXmlFault(const QString &text)
{
    QXmlStreamReader reader(text);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            return QStringLiteral("it declares a document type, which no file list has");
        case QXmlStreamReader::StartElement:
            if (++depth > MaxListDepth)
                return QStringLiteral("it nests deeper than %1 levels").arg(MaxListDepth);
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return QStringLiteral("it is not well-formed XML (line %1, column %2: %3)")
            .arg(reader.lineNumber())
            .arg(reader.columnNumber())
            .arg(reader.errorString());
    return QString();
}

} // namespace

QString FirmwareCatalogue::serviceId(ImageKind kind)
{
    return QLatin1String(kind == ImageKind::Bootloader ? SnpProtocol::BootloaderServiceId
                                                       : SnpProtocol::FirmwareServiceId);
}

QString FirmwareCatalogue::kindText(ImageKind kind)
{
    return kind == ImageKind::Bootloader ? QStringLiteral("bootloader")
                                         : QStringLiteral("application firmware");
}

QString FirmwareCatalogue::childElementText(const QDomNode &node, const QString &tagName)
{
    return node.firstChildElement(tagName).text();
}

bool FirmwareCatalogue::read(const QString &listText)
{
    m_names.clear();
    m_errorString.clear();
    // The server wraps its list in HTML rules.
    const QString text = QString(listText).remove(QStringLiteral("<hr>"));
    if (text.trimmed().isEmpty()) {
        m_errorString = QStringLiteral("it is empty");
        return false;
    }
    m_errorString = plainShallowXmlFault(text);
    if (!m_errorString.isEmpty())
        return false;
    QDomDocument document;
    QString parseError;
    if (!document.setContent(text, false, &parseError)) {
        m_errorString = QStringLiteral("it is not well-formed XML (%1)").arg(parseError);
        return false;
    }
    const QDomElement root = document.firstChildElement(QStringLiteral("snp300"));
    if (root.isNull()) {
        m_errorString = QStringLiteral("its root element is <%1>, not <snp300>")
                            .arg(document.documentElement().tagName());
        return false;
    }
    const QDomNodeList items = root.elementsByTagName(QStringLiteral("listItem"));
    for (int i = 0; i < items.size(); ++i)
        m_names.append(childElementText(items.at(i), QStringLiteral("name")));
    return true;
}

QStringList FirmwareCatalogue::candidates(ImageKind kind) const
{
    const QString id = serviceId(kind);
    QStringList kept;
    std::copy_if(m_names.cbegin(), m_names.cend(), std::back_inserter(kept),
                 [&id](const QString &name) { return isServerFileCandidate(name, id); });
    return kept;
}

QString FirmwareCatalogue::newest(ImageKind kind) const
{
    QStringList names = candidates(kind);
    // Of images with the same number, the one listed first.
    std::stable_sort(names.begin(), names.end(), newerServerFileFirst);
    return names.value(0);
}

QString FirmwareCatalogue::newestVersion(ImageKind kind) const
{
    const QString name = newest(kind);
    return hasServerFileVersion(name) ? serverFileVersionText(name) : QString();
}

bool FirmwareCatalogue::offersNewer(ImageKind kind, const QString &deviceVersion) const
{
    const QString name = newest(kind);
    return !name.isEmpty() && serverFileVersionNumber(name) > versionNumber(deviceVersion);
}

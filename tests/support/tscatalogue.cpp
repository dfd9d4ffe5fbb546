#include "tscatalogue.h"

#include <QFile>
#include <QXmlStreamReader>

bool TsCatalogue::Entry::operator==(const Entry &other) const
{
    return context == other.context && source == other.source && comment == other.comment
        && extraComment == other.extraComment && translation == other.translation
        && type == other.type;
}

QString TsCatalogue::Entry::describe() const
{
    return QStringLiteral("[%1] \"%2\" -> \"%3\"%4")
        .arg(context, source, translation,
             type.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(type));
}

bool TsCatalogue::load(const QString &path)
{
    m_entries.clear();
    m_language.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            m_language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            entry = Entry();
            entry.context = context;
        } else if (name == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            entry.comment = xml.readElementText();
        } else if (name == QLatin1String("extracomment")) {
            entry.extraComment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText();
            m_entries.append(entry);
        }
    }
    if (xml.hasError()) {
        m_error = QStringLiteral("%1, line %2: %3")
                      .arg(path)
                      .arg(xml.lineNumber())
                      .arg(xml.errorString());
        return false;
    }
    return true;
}

QString TsCatalogue::translate(const QString &source) const
{
    for (const Entry &entry : m_entries) {
        if (entry.context == QLatin1String("SNPUpgrader") && entry.source == source
            && entry.type.isEmpty() && !entry.translation.isEmpty()) {
            return entry.translation;
        }
    }
    return source;
}

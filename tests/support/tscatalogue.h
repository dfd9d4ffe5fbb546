#ifndef TSCATALOGUE_H
#define TSCATALOGUE_H

#include <QList>
#include <QString>

// The entries of a Qt Linguist .ts file, as lupdate writes them and lrelease reads them.
class TsCatalogue
{
public:
    struct Entry
    {
        QString context;
        QString source;
        QString comment; // the disambiguation
        QString extraComment; // the note for translators
        QString translation;
        QString type; // empty when finished; "unfinished", "vanished" or "obsolete"

        bool operator==(const Entry &other) const;
        QString describe() const; // for a failure message
    };

    bool load(const QString &path); // false with errorString() when unreadable
    QString errorString() const { return m_error; }
    QString language() const { return m_language; }
    QList<Entry> entries() const { return m_entries; }
    // The finished translation of a source text of the context "SNPUpgrader"; the source text
    // itself when there is none.
    QString translate(const QString &source) const;

private:
    QString m_error;
    QString m_language;
    QList<Entry> m_entries;
};

#endif // TSCATALOGUE_H

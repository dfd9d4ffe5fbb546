#ifndef FIRMWARECATALOGUE_H
#define FIRMWARECATALOGUE_H

#include <QMetaType>
#include <QString>
#include <QStringList>

class QDomNode;

enum class ImageKind { Application, Bootloader }; // service ids quenmarksnpfmr, quenmarksnpbtl

// The firmware server's file list, read: pure, no I/O.
class FirmwareCatalogue
{
public:
    // Reads a list reply as the server sends it ("<hr>" removed, plain shallow XML, root snp300).
    // False when it is not a readable list; the catalogue is then empty.
    bool read(const QString &listText);
    QStringList candidates(ImageKind kind) const; // the safe names of the kind, in document order
    QString newest(ImageKind kind) const; // "" when there is none
    QString newestVersion(ImageKind kind) const; // "1.3.0"; "" when none
    // The newest image of the kind is newer than the device's version text.
    bool offersNewer(ImageKind kind, const QString &deviceVersion) const;

    // Every name the list holds, of any kind and whether safe or not, in document order.
    QStringList names() const { return m_names; }
    // Why the last read() failed, in plain words; empty after a list that was read.
    QString errorString() const { return m_errorString; }

    // "quenmarksnpfmr" or "quenmarksnpbtl", the end of every image name of the kind.
    static QString serviceId(ImageKind kind);
    // "the application firmware" or "the bootloader", for the log.
    static QString kindText(ImageKind kind);
    // Text of the first child element of node named tagName, empty when there is none.
    static QString childElementText(const QDomNode &node, const QString &tagName);

private:
    QStringList m_names;
    QString m_errorString;
};

Q_DECLARE_METATYPE(FirmwareCatalogue)

#endif // FIRMWARECATALOGUE_H

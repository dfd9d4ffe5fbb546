#ifndef TEMPHOME_H
#define TEMPHOME_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// A throw-away home folder for one test: sets HOME to a temporary folder with
// an empty Documents folder in it and unsets XDG_DOCUMENTS_DIR and
// XDG_CONFIG_HOME, so QStandardPaths::DocumentsLocation is <home>/Documents.
// The destructor restores the environment and removes the folder.
// Note: QSettings caches its folders at first use in a process.
class TempHome
{
public:
    TempHome();
    ~TempHome();

    TempHome(const TempHome &) = delete;
    TempHome &operator=(const TempHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString documentsPath() const;

private:
    struct SavedVariable
    {
        const char *name;
        bool wasSet;
        QByteArray value;
    };

    QTemporaryDir m_dir;
    QList<SavedVariable> m_saved;
};

#endif // TEMPHOME_H

#ifndef BENCHHOME_H
#define BENCHHOME_H

#include <QString>
#include <QTemporaryDir>

// A temporary home folder with an empty Documents folder, so that a benchmark never touches the
// user's files. install() points HOME at it for this process (and the children it starts) and
// unsets the variables that would move the Documents folder elsewhere; the folder is removed
// with the object.
class BenchHome
{
public:
    BenchHome();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString documentsPath() const;
    void install() const;

private:
    QTemporaryDir m_dir;
};

#endif // BENCHHOME_H

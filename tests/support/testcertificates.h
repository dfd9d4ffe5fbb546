#ifndef TESTCERTIFICATES_H
#define TESTCERTIFICATES_H

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// The certificates of the TLS tests: made now by tests/support/make-test-certificates, or, where
// that cannot run (the Windows build under Wine), taken from the folder CTest had it fill
// (SNP_TEST_CERTIFICATES). See make-test-certificates for the files.
class Certificates
{
public:
    Certificates()
    {
        const QString made = qEnvironmentVariable("SNP_TEST_CERTIFICATES");
        if (!made.isEmpty()) {
            m_folder = made;
            return;
        }
        QProcess script;
        script.start(QStringLiteral("bash"),
                     { QStringLiteral(SNP_MAKE_TEST_CERTIFICATES), m_dir.path() });
        if (!script.waitForFinished(60000) || script.exitCode() != 0)
            qFatal("make-test-certificates: %s", script.readAllStandardError().constData());
        m_folder = m_dir.path();
    }
    QString path(const QString &name) const { return m_folder + QLatin1Char('/') + name; }

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

inline Certificates &certificates()
{
    static Certificates made;
    return made;
}

// Sets an environment variable for one test, and restores it.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const QString &value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_saved(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~ScopedVariable()
    {
        if (m_wasSet)
            qputenv(m_name, m_saved);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_saved;
};

#endif // TESTCERTIFICATES_H

#ifndef UPGRADEOPTIONS_H
#define UPGRADEOPTIONS_H

#include <QString>
#include <QStringList>

// The command line of snp300-upgrade, read.
class UpgradeOptions
{
public:
    enum class Action { Upgrade, ListPorts, Help, Version };

    // Reads the arguments (the program's name first, as QCoreApplication::arguments() gives
    // them). False when they cannot be used; errorString() then says why and what to do.
    bool parse(const QStringList &arguments);
    QString errorString() const { return m_errorString; }

    Action action() const { return m_action; }
    QStringList ports() const { return m_ports; }
    bool assumeYes() const { return m_assumeYes; }
    bool json() const { return m_json; }
    QString imagePath() const { return m_imagePath; } // absolute; empty: the server's image
    QString serverUrl() const { return m_serverUrl; } // empty: the configured server
    // A device that answers nothing for this long during its upgrade is given up.
    int silenceLimitMs() const { return m_silenceLimitMs; }

    // The whole of --help: usage, options, exit statuses, environment, files.
    static QString helpText();

private:
    bool fail(const QString &message);

    Action m_action = Action::Upgrade;
    QStringList m_ports;
    bool m_assumeYes = false;
    bool m_json = false;
    QString m_imagePath;
    QString m_serverUrl;
    int m_silenceLimitMs = 0;
    QString m_errorString;
};

#endif // UPGRADEOPTIONS_H

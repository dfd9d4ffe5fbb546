#ifndef SNPUPGRADERPROBE_H
#define SNPUPGRADERPROBE_H

#include "snp300session.h"
#include "snpupgrader.h"

#include <QIODevice>
#include <QTimer>

// Read access to the window's state (the dialogue is its engine's) for the tests, and the few
// writes that put it into a state the tests cannot reach through the device in reasonable time.
struct SNPUpgraderProbe
{
    static const Snp300Session &session(const SNPUpgrader &w) { return *w.m_session; }
    static Snp300Session &session(SNPUpgrader &w) { return *w.m_session; }

    static int state(const SNPUpgrader &w) { return session(w).m_state; }
    static QString appVersion(const SNPUpgrader &w) { return session(w).m_appVersion; }
    static QString bootloaderVersion(const SNPUpgrader &w)
    {
        return session(w).m_bootloaderVersion;
    }
    static bool bootloaderUpdateNeeded(const SNPUpgrader &w)
    {
        return session(w).m_bootloaderUpdateNeeded;
    }
    static QString firmwareFilePath(const SNPUpgrader &w) { return session(w).m_firmwareFilePath; }
    static int lineIndex(const SNPUpgrader &w) { return session(w).m_lineIndex; }
    static QList<QByteArray> fileLines(const SNPUpgrader &w) { return session(w).m_fileLines; }
    static QByteArray rxBuffer(const SNPUpgrader &w) { return session(w).m_rxBuffer; }
    static bool portOpen(const SNPUpgrader &w) { return session(w).isOpen(); }
    static QString portName(const SNPUpgrader &w) { return session(w).portName(); }
    static bool versionWatchdogActive(const SNPUpgrader &w)
    {
        return session(w).m_verStrTimer->isActive();
    }
    static bool bootloaderWatchdogActive(const SNPUpgrader &w)
    {
        return session(w).m_bootLoaderTimer->isActive();
    }

    static void setDeviceVersions(SNPUpgrader &w, const QString &app, const QString &bootloader)
    {
        session(w).m_appVersion = app;
        session(w).m_bootloaderVersion = bootloader;
    }
    static void setBootloaderUpdateNeeded(SNPUpgrader &w, bool needed)
    {
        session(w).m_bootloaderUpdateNeeded = needed;
    }
};

#endif // SNPUPGRADERPROBE_H

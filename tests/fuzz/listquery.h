#ifndef LISTQUERY_H
#define LISTQUERY_H

#include "firmwareserver.h"
#include "temphome.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The firmware server on 127.0.0.1 serving a folder of images, and a temporary HOME (and so
// Documents folder) for the client to store in.
class ListFixture
{
public:
    ListFixture();

    TempHome home;
    FirmwareServer server;

    QString serverImagePath(const QString &name) const;
    void addServerImage(const QString &name, const QByteArray &content);

private:
    QString m_serverImages;
};

// One query of the firmware server's file list with a body the server answers as it stands,
// run through the program's client and catalogue against the in-process server, as the window
// queries it (the newest image of the kind, when newer than the device; downloaded when asked),
// and what came of it.
struct ListQuery
{
    QByteArray body; // "%PORT%" stands for the server's port
    bool bootloader = false;
    bool download = false;
    QList<QPair<QString, QByteArray>> served; // images the server holds: name, content

    QJsonObject toJson() const;
    static ListQuery fromJson(const QJsonObject &object);
    QString serviceId() const;
};

struct ListOutcome
{
    struct Request
    {
        QString path;
        QString service;
        QString name;
    };

    QString result;
    QString available;
    qint64 elapsedMs = 0;
    qint64 startResidentKb = -1;
    qint64 peakResidentKb = -1;
    QList<Request> requests;
    QString documentsPath;
    QStringList homeBefore; // every entry below HOME, relative, the server's folder left out
    QStringList homeAfter;
    QByteArray stored; // content of the file the result names, when it is one

    QJsonObject toJson() const;
    static ListOutcome fromJson(const QJsonObject &object);
};

// The device's versions during every query: application 1.2.9, bootloader 1.0.14.
ListOutcome runListQuery(ListFixture &fixture, const ListQuery &query);

// What the outcome breaks of the client's promises, empty when nothing: the result is empty or
// a name that is an image of the asked kind and cannot name a file outside the Documents folder
// (or, with a download, the path of such a file directly in that folder holding the served
// bytes); the server got the list request and at most the download of the chosen name; nothing
// below HOME changed but that one file; the query took less than timeLimitMs.
QString listOutcomeViolation(const ListQuery &query, const ListOutcome &outcome, int timeLimitMs);

// Why a name may not be a candidate of the given kind, empty when it may.
QString candidateRuleViolation(const QString &name, const QString &serviceId);

// "<hr><snp300><listItem><name>...</name></listItem>...</snp300><hr>", names escaped.
QByteArray listBody(const QStringList &names);

#endif // LISTQUERY_H

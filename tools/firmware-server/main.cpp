// snp300-firmware-server: the SNP300 firmware server on 127.0.0.1, serving the
// images of one folder, over HTTPS when given a certificate and its key. Prints
// "listening http://127.0.0.1:PORT" (or https://) as its first line, then one
// line per request, and serves until SIGTERM or SIGINT.

#include "firmwareserver.h"
#include "terminationwatcher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

enum ExitCode { ExitOk = 0, ExitListenFailed = 1, ExitBadUsage = 2 };

bool readNumber(const QCommandLineParser &parser, const QString &name, int minimum, int maximum,
                int *value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int number = parser.value(name).toInt(&ok);
    if (!ok || number < minimum || number > maximum) {
        std::fprintf(stderr, "snp300-firmware-server: --%s needs a number from %d to %d\n",
                     qPrintable(name), minimum, maximum);
        return false;
    }
    *value = number;
    return true;
}

bool readEndless(const QCommandLineParser &parser, const QString &name,
                 FirmwareServer::Endless *how)
{
    if (!parser.isSet(name))
        return true;
    const QString value = parser.value(name);
    if (value == QLatin1String("chunked")) {
        *how = FirmwareServer::Endless::Chunked;
    } else if (value == QLatin1String("huge-length")) {
        *how = FirmwareServer::Endless::HugeLength;
    } else {
        std::fprintf(stderr, "snp300-firmware-server: --%s is 'chunked' or 'huge-length'\n",
                     qPrintable(name));
        return false;
    }
    return true;
}

// "POST /snp300/index.php 200 user=opsr pwd=rdox4%25bnT service=list"
QByteArray requestLine(const FirmwareServer::Request &request)
{
    QByteArray line = request.method.toUtf8() + ' ' + request.path.toUtf8() + ' '
        + QByteArray::number(request.status);
    for (const auto &field : request.fields)
        line += ' ' + field.first.toUtf8().toPercentEncoding() + '='
            + field.second.toUtf8().toPercentEncoding();
    return line;
}

bool configure(const QCoreApplication &app, FirmwareServer *server, int *port, bool *quiet)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "SNP300 firmware server on 127.0.0.1. Serves plain HTTP, or HTTPS when given --tls-cert "
        "and --tls-key (PEM files); a client that does not trust the certificate leaves before "
        "it sends a request."));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("dir"), QStringLiteral("Folder of the image files (required)."),
          QStringLiteral("folder") },
        { QStringLiteral("port"), QStringLiteral("Port to listen on, 0 for any free port."),
          QStringLiteral("port"), QStringLiteral("8300") },
        { QStringLiteral("user"), QStringLiteral("Account user name."), QStringLiteral("user") },
        { QStringLiteral("password"), QStringLiteral("Account password."),
          QStringLiteral("password") },
        { QStringLiteral("status"), QStringLiteral("Answer every request with this HTTP status."),
          QStringLiteral("code") },
        { QStringLiteral("delay-ms"), QStringLiteral("Answer every request after this delay."),
          QStringLiteral("ms") },
        { QStringLiteral("download-delay-ms"), QStringLiteral("Extra delay for downloads."),
          QStringLiteral("ms") },
        { QStringLiteral("empty-body"),
          QStringLiteral("Answer every successful request with an empty body.") },
        { QStringLiteral("empty-download"),
          QStringLiteral("Answer downloads with an empty body.") },
        { QStringLiteral("endless-list"),
          QStringLiteral("Answer list requests with a list that never ends: 'chunked' (chunked "
                         "transfer encoding) or 'huge-length' (announcing 1 TiB)."),
          QStringLiteral("how") },
        { QStringLiteral("endless-download"),
          QStringLiteral("Answer downloads with a body that never ends: 'chunked' or "
                         "'huge-length'."),
          QStringLiteral("how") },
        { QStringLiteral("list-body"),
          QStringLiteral("Answer list requests with this file's exact content."),
          QStringLiteral("file") },
        { QStringLiteral("quiet"), QStringLiteral("Do not print a line per request.") },
        { QStringLiteral("tls-cert"),
          QStringLiteral("Serve HTTPS with this PEM certificate (the server's first, then its "
                         "chain); needs --tls-key."),
          QStringLiteral("file") },
        { QStringLiteral("tls-key"),
          QStringLiteral("The PEM private key of the --tls-cert certificate."),
          QStringLiteral("file") },
    });
    parser.process(app);

    const QString dir = parser.value(QStringLiteral("dir"));
    if (dir.isEmpty() || !QDir(dir).exists()) {
        std::fprintf(stderr, "snp300-firmware-server: --dir needs an existing folder\n");
        return false;
    }
    server->setImageDir(dir);
    server->setAccount(parser.isSet(QStringLiteral("user")) ? parser.value(QStringLiteral("user"))
                                                            : server->user(),
                       parser.isSet(QStringLiteral("password"))
                           ? parser.value(QStringLiteral("password"))
                           : server->password());

    int status = 0;
    int delay = 0;
    int downloadDelay = 0;
    if (!readNumber(parser, QStringLiteral("port"), 0, 65535, port)
        || !readNumber(parser, QStringLiteral("status"), 200, 599, &status)
        || !readNumber(parser, QStringLiteral("delay-ms"), 0, 3600000, &delay)
        || !readNumber(parser, QStringLiteral("download-delay-ms"), 0, 3600000, &downloadDelay))
        return false;
    server->setForcedStatus(status);
    server->setDelayMs(delay);
    server->setDownloadDelayMs(downloadDelay);
    server->setEmptyBody(parser.isSet(QStringLiteral("empty-body")));
    server->setEmptyDownload(parser.isSet(QStringLiteral("empty-download")));
    FirmwareServer::Endless endlessList = FirmwareServer::Endless::Off;
    FirmwareServer::Endless endlessDownload = FirmwareServer::Endless::Off;
    if (!readEndless(parser, QStringLiteral("endless-list"), &endlessList)
        || !readEndless(parser, QStringLiteral("endless-download"), &endlessDownload))
        return false;
    server->setEndlessList(endlessList);
    server->setEndlessDownload(endlessDownload);
    if (parser.isSet(QStringLiteral("list-body"))) {
        QFile body(parser.value(QStringLiteral("list-body")));
        if (!body.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "snp300-firmware-server: cannot read %s\n",
                         qPrintable(body.fileName()));
            return false;
        }
        server->setListBody(body.readAll());
    }
    const bool certificate = parser.isSet(QStringLiteral("tls-cert"));
    if (certificate != parser.isSet(QStringLiteral("tls-key"))) {
        std::fprintf(stderr, "snp300-firmware-server: --tls-cert and --tls-key go together\n");
        return false;
    }
    if (certificate
        && !server->setTlsCertificate(parser.value(QStringLiteral("tls-cert")),
                                      parser.value(QStringLiteral("tls-key")))) {
        std::fprintf(stderr, "snp300-firmware-server: %s\n", qPrintable(server->errorString()));
        return false;
    }
    *quiet = parser.isSet(QStringLiteral("quiet"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("snp300-firmware-server"));

    FirmwareServer server;
    int port = 8300;
    bool quiet = false;
    if (!configure(app, &server, &port, &quiet))
        return ExitBadUsage;
    if (!server.listen(static_cast<quint16>(port))) {
        std::fprintf(stderr, "snp300-firmware-server: %s\n", qPrintable(server.errorString()));
        return ExitListenFailed;
    }
    std::printf("listening %s\n", qPrintable(server.baseUrl()));
    std::fflush(stdout);

    if (!quiet) {
        QObject::connect(&server, &FirmwareServer::requestReceived,
                         [](const FirmwareServer::Request &request) {
                             std::printf("%s\n", requestLine(request).constData());
                             std::fflush(stdout);
                         });
    }
    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &app,
                     &QCoreApplication::quit);
    return app.exec();
}

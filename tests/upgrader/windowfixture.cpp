#include "windowfixture.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <utility>

WindowFixture::WindowFixture(const Snp300Options &options)
    : device(options)
{
    m_serverImages = home.path() + QStringLiteral("/server-images");
    QDir().mkpath(m_serverImages);
    server.setImageDir(m_serverImages);
    if (!server.listen())
        qFatal("firmware server: %s", qPrintable(server.errorString()));
    if (!device.isOpen())
        qFatal("pseudo-terminal: %s", qPrintable(device.errorString()));
    qputenv("SNP300_SERIAL_PORTS", device.portName().toLocal8Bit());
    qputenv("SNP300_FIRMWARE_SERVER", server.baseUrl().toLocal8Bit());
    window.reset(new SNPUpgrader);
    window->show();
}

WindowFixture::~WindowFixture()
{
    window.reset();
    qunsetenv("SNP300_SERIAL_PORTS");
    qunsetenv("SNP300_FIRMWARE_SERVER");
}

QComboBox *WindowFixture::portList() const
{
    return window->findChild<QComboBox *>(QStringLiteral("usbCmbSerialPort"));
}

QPushButton *WindowFixture::connectButton() const
{
    return window->findChild<QPushButton *>(QStringLiteral("usbBtnConnect"));
}

QPushButton *WindowFixture::refreshButton() const
{
    return window->findChild<QPushButton *>(QStringLiteral("usbBtnSerialPortRefresh"));
}

QPushButton *WindowFixture::upgradeButton() const
{
    return window->findChild<QPushButton *>(QStringLiteral("usbBtnUpgrade"));
}

QProgressBar *WindowFixture::progressBar() const
{
    return window->findChild<QProgressBar *>(QStringLiteral("usbProgressBar"));
}

QTextEdit *WindowFixture::logBox() const
{
    return window->findChild<QTextEdit *>(QStringLiteral("usbTxtLog"));
}

QStringList WindowFixture::logLines() const
{
    const QString text = logBox()->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QString WindowFixture::serverImagePath(const QString &name) const
{
    return m_serverImages + QLatin1Char('/') + name;
}

void WindowFixture::addServerImage(const QString &name, const QByteArray &content)
{
    QFile file(serverImagePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

QString WindowFixture::addDocument(const QString &name, const QByteArray &content)
{
    QFile file(home.documentsPath() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

QString WindowFixture::addTestImage(const QByteArray &content)
{
    addServerImage(Fmr130, hexImage(3));
    return addDocument(QStringLiteral("test_a.quenmarksnpfmr"), content);
}

void WindowFixture::connectDevice()
{
    portList()->setCurrentIndex(portList()->findText(device.portName()));
    QTest::mouseClick(connectButton(), Qt::LeftButton);
}

bool WindowFixture::connectAndReadVersions()
{
    connectDevice();
    return waitForLogLine(
        QStringLiteral("Application Version: %1").arg(device.device().appVersion()));
}

bool WindowFixture::startUpgrade()
{
    if (!connectAndReadVersions())
        return false;
    device.clearReceived();
    QTest::mouseClick(upgradeButton(), Qt::LeftButton);
    return true;
}

bool WindowFixture::waitForLogLine(const QString &line, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (!logLines().contains(line)) {
        if (clock.elapsed() > timeoutMs) {
            qWarning("log box without \"%s\":\n%s", qPrintable(line),
                     qPrintable(logBox()->toPlainText()));
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

QString WindowFixture::historyPath() const
{
    return home.documentsPath() + QStringLiteral("/Corvane/SNP300 Upgrader/History.csv");
}

QList<QStringList> WindowFixture::historyRows() const
{
    QFile file(historyPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Rows end in CR LF; a quoted field may hold commas, doubled quotes and line breaks.
    const QString text = QString::fromUtf8(file.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    const auto next = [&text](int i) { return i + 1 < text.size() ? text.at(i + 1) : QChar(); };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && next(i) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row.append(std::exchange(field, QString()));
        } else if (c == QLatin1Char('\r') && next(i) == QLatin1Char('\n')) {
            row.append(std::exchange(field, QString()));
            rows.append(std::exchange(row, QStringList()));
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

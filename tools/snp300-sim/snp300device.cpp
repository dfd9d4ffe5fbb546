#include "snp300device.h"

namespace {

const char Stx = 0x02;
const char Can = 0x18;
const int MaxCommandLength = 256; // longer "commands" are line noise and are dropped

bool isLineEnd(char byte)
{
    return byte == '\r' || byte == '\n';
}

bool isPrintable(char byte)
{
    return byte >= 0x20 && byte < 0x7f;
}

// A record ":LLAAAATT<data>CC" whose length and checksum agree.
bool isIntelHexRecord(const QByteArray &line)
{
    if (line.size() < 11 || line.at(0) != ':' || (line.size() - 1) % 2 != 0)
        return false;
    const QByteArray digits = line.mid(1);
    for (char c : digits) {
        if (!QByteArrayLiteral("0123456789ABCDEFabcdef").contains(c))
            return false;
    }
    const QByteArray bytes = QByteArray::fromHex(digits);
    if (bytes.size() != 5 + static_cast<unsigned char>(bytes.at(0)))
        return false;
    unsigned int sum = 0;
    for (char b : bytes)
        sum += static_cast<unsigned char>(b);
    return (sum & 0xff) == 0;
}

} // namespace

Snp300Device::Snp300Device(const Snp300Options &options)
    : m_options(options)
    , m_mode(options.startMode)
    , m_random(options.garbageSeed)
{ }

void Snp300Device::setOptions(const Snp300Options &options)
{
    if (options.garbageSeed != m_options.garbageSeed)
        m_random.seed(options.garbageSeed);
    m_options = options;
}

void Snp300Device::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    event(QStringLiteral("mode %1 -> %2").arg(modeName(m_mode), modeName(mode)));
    m_mode = mode;
    m_state = BootState::Prompt;
    m_line.clear();
}

QList<Snp300Reply> Snp300Device::receive(const QByteArray &bytes)
{
    m_received += bytes;
    m_replies.clear();
    for (char byte : bytes) {
        if (m_mode == Mode::Silent || m_stalled)
            break;
        receiveByte(byte);
    }
    return std::exchange(m_replies, {});
}

QStringList Snp300Device::takeEvents()
{
    return std::exchange(m_events, {});
}

QByteArray Snp300Device::versionHex(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    const int major = parts.value(0).toInt();
    const int patch = parts.value(2).toInt();
    return QByteArray::number(major * 100 + patch, 16).toUpper();
}

void Snp300Device::receiveByte(char byte)
{
    if (m_mode == Mode::Application)
        receiveApplicationByte(byte);
    else if (m_state == BootState::Program)
        receiveProgramByte(byte);
    else
        receiveBootloaderByte(byte);
}

// The application reads text lines; STX hands over to the bootloader.
void Snp300Device::receiveApplicationByte(char byte)
{
    if (byte == Stx) {
        event(QStringLiteral("STX: application -> bootloader"));
        enterBootloader();
        answer("\r\nBOOTLOADER\r\n01>");
    } else if (isLineEnd(byte)) {
        if (!m_line.isEmpty())
            applicationLine(std::exchange(m_line, {}));
    } else if (isPrintable(byte) && m_line.size() < MaxCommandLength) {
        m_line += byte;
    }
}

void Snp300Device::applicationLine(const QByteArray &line)
{
    if (line != "VER") {
        event(QStringLiteral("application ignores \"%1\"").arg(QString::fromLatin1(line)));
        return;
    }
    event(QStringLiteral("VER: application %1, bootloader %2")
              .arg(m_options.appVersion, m_options.bootloaderVersion));
    answer("\r\n<VER>" + m_options.appVersion.toUtf8() + "</VER>\r\n<BOOT>"
           + m_options.bootloaderVersion.toUtf8() + "</BOOT>\r\n");
}

// The bootloader takes single-letter commands at the start of a line and
// text commands ended by CR or LF; STX and CAN act wherever they come.
void Snp300Device::receiveBootloaderByte(char byte)
{
    if (byte == Can) {
        startApplication();
    } else if (byte == Stx) {
        m_line.clear();
        m_state = BootState::Prompt;
        event(QStringLiteral("STX: prompt"));
        answer("\r\n01>");
    } else if (m_state == BootState::ConfirmErase) {
        if (!isLineEnd(byte))
            confirmErase(byte);
    } else if (isLineEnd(byte)) {
        if (!m_line.isEmpty())
            bootloaderLine(std::exchange(m_line, {}));
    } else if (m_line.isEmpty() && QByteArrayLiteral("BEPYN").contains(byte)) {
        bootloaderCommand(byte);
    } else if (isPrintable(byte)) {
        if (m_line.size() < MaxCommandLength)
            m_line += byte;
    }
}

void Snp300Device::bootloaderLine(const QByteArray &line)
{
    if (line == "UNLOCK") {
        m_unlocked = true;
        event(QStringLiteral("UNLOCK: unlocked"));
        answer("\r\nUNLOCKED\r\n01>");
        return;
    }
    // The bootloader knows no VER: it has no tags to give.
    event(QStringLiteral("bootloader refuses \"%1\"").arg(QString::fromLatin1(line)));
    answer("\r\nERR\r\n01>");
}

void Snp300Device::bootloaderCommand(char command)
{
    switch (command) {
    case 'B':
        event(QStringLiteral("B: version %1").arg(m_options.bootloaderVersion));
        answer("B\r\n" + versionHex(m_options.bootloaderVersion) + "\r\n01>");
        break;
    case 'E':
        if (!m_unlocked) {
            event(QStringLiteral("E refused: locked"));
            answer("\r\nERR LOCKED\r\n01>");
            break;
        }
        m_state = BootState::ConfirmErase;
        event(QStringLiteral("E: erase asked"));
        answer("\r\nERASE ALL? (Y/N)");
        break;
    case 'P':
        if (!m_erased) {
            event(QStringLiteral("P refused: not erased"));
            answer("\r\nERR NOT ERASED\r\n01>");
            break;
        }
        m_state = BootState::Program;
        m_sessionLines = 0;
        event(QStringLiteral("P: program mode"));
        answer("\r\nSEND HEX\r\n");
        break;
    default: // Y or N without a pending erase
        event(QStringLiteral("%1 refused: no erase pending").arg(QLatin1Char(command)));
        answer("\r\nERR\r\n01>");
        break;
    }
}

void Snp300Device::confirmErase(char answerByte)
{
    m_state = BootState::Prompt;
    if (answerByte != 'Y') {
        event(QStringLiteral("erase cancelled"));
        answer("\r\nCANCELLED\r\n01>");
        return;
    }
    m_erased = true;
    ++m_eraseCount;
    m_programmedLines.clear();
    event(QStringLiteral("Y: erased"));
    answer("\r\nERASED\r\n01>", m_options.eraseDelayMs);
}

// In program mode every image line ends in CR LF; CAN starts the application.
void Snp300Device::receiveProgramByte(char byte)
{
    if (byte == Can) {
        startApplication();
    } else if (byte == Stx) {
        m_line.clear();
        m_state = BootState::Prompt;
        event(QStringLiteral("STX: program mode left"));
        answer("\r\n01>");
    } else {
        m_line += byte;
        if (m_line.endsWith("\r\n"))
            programLine(std::exchange(m_line, {}));
    }
}

void Snp300Device::programLine(QByteArray line)
{
    if (m_options.stallAfterLines >= 0 && m_sessionLines >= m_options.stallAfterLines) {
        m_stalled = true;
        event(QStringLiteral("stalled after %1 lines").arg(m_sessionLines));
        return;
    }
    line.chop(2);
    if (line.endsWith('\n')) // a stored line keeps its own line feed
        line.chop(1);
    m_programmedLines.append(line);
    ++m_sessionLines;
    if (m_sessionLines == 1 || m_sessionLines % 100 == 0)
        event(QStringLiteral("line %1").arg(m_sessionLines));
    if (isIntelHexRecord(line)) {
        answer("\r\nOK");
    } else {
        ++m_badLines;
        event(QStringLiteral("line %1 is not Intel HEX").arg(m_sessionLines));
        answer("\r\nERR");
    }
}

void Snp300Device::enterBootloader()
{
    m_mode = Mode::Bootloader;
    m_state = BootState::Prompt;
    m_line.clear();
    m_unlocked = false;
    m_erased = false;
}

void Snp300Device::startApplication()
{
    event(QStringLiteral("CAN: bootloader -> application (%1 lines programmed)")
              .arg(m_programmedLines.size()));
    m_mode = Mode::Application;
    m_state = BootState::Prompt;
    m_line.clear();
    ++m_restarts;
    answer("\r\nSNP300 APPLICATION START\r\n");
}

void Snp300Device::answer(const QByteArray &bytes, int extraDelayMs)
{
    Snp300Reply reply;
    reply.bytes = m_options.garbage ? junk() : bytes;
    reply.delayMs = m_options.replyDelayMs + extraDelayMs;
    m_replies.append(reply);
}

// Random bytes without '>' and 'D', so that no prompt, tag, "UNLOCKED" or
// "ERASED" can ever appear in them.
QByteArray Snp300Device::junk()
{
    const int size = m_random.bounded(1, 33);
    QByteArray bytes;
    while (bytes.size() < size) {
        const char byte = static_cast<char>(m_random.bounded(256));
        if (byte != '>' && byte != 'D')
            bytes += byte;
    }
    return bytes;
}

void Snp300Device::event(const QString &text)
{
    m_events.append(text);
}

QString Snp300Device::modeName(Mode mode)
{
    switch (mode) {
    case Mode::Application:
        return QStringLiteral("application");
    case Mode::Bootloader:
        return QStringLiteral("bootloader");
    case Mode::Silent:
        break;
    }
    return QStringLiteral("silent");
}

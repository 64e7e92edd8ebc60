#include "requestsplitter.h"

#include "device/byteorder.h"

namespace {

constexpr int ZeroRun = 16;
constexpr int HeaderSize = 6;

// The maintenance commands; 'v' (-1 here) is one byte of any value.
struct RawCommand
{
    const char *name;
    int bytes[7];
    int length;
};
constexpr int V = -1;
constexpr RawCommand RawCommands[] = {
    {"clean", {0x55, 0xaa, 0x4c, 0x41, 0x69, 0x81, 0x01}, 7},
    {"test page", {0x55, 0xaa, 0x4c, 0x41, 0x69, 0x82}, 6},
    {"print alignment page", {0x55, 0xaa, 0x4c, 0x41, 0x69, 0x90}, 6},
    {"alignment start", {0x55, 0xaa, 0x4c, 0x41, 0x69, 0x7f}, 6},
    {"print alignment patterns", {0x55, 0xaa, 0x4c, 0x41, 0x69, 0x80}, 6},
    {"print verification page", {0x55, 0xaa, 0x4c, 0x41, 0x69, 0x91}, 6},
    {"set A", {0x55, 0x0b, 0x00, V}, 4},
    {"set B", {0x55, 0x12, 0x00, 0x01, V}, 5},
    {"set C", {0x55, 0x12, 0x00, 0x00, V}, 5},
    {"set D", {0x55, 0x12, 0x00, 0x02, V}, 5},
    {"set E", {0x55, 0x12, 0x01, 0x02, V}, 5},
    {"set F", {0x55, 0x12, 0x02, 0x03, V}, 5},
    {"set G", {0x55, 0x12, 0x02, 0x04, V}, 5},
};

// How the bytes after the zero run compare with a command: -1 they differ,
// 0 they agree as far as they go, 1 the whole command is there.
int compare(const RawCommand &command, const QByteArray &input)
{
    const int available = int(input.size()) - ZeroRun;
    for (int i = 0; i < command.length && i < available; ++i) {
        if (command.bytes[i] != V && command.bytes[i] != quint8(input[ZeroRun + i]))
            return -1;
    }
    return available >= command.length ? 1 : 0;
}

} // namespace

bool RequestSplitter::next(Unit &unit)
{
    if (m_input.isEmpty())
        return false;
    if (m_input[0] == '\0')
        return nextRaw(unit);
    if (m_input[0] != '\x1b' || (m_input.size() > 1 && m_input[1] != '#'))
        return takeUnknown(unit);
    if (m_input.size() < HeaderSize)
        return false;
    const quint32 length = GetBigEndian(m_input, 2);
    if (length > MaxPayload)
        return takeUnknown(unit);
    if (m_input.size() < HeaderSize + qsizetype(length))
        return false;
    unit.kind = Unit::Framed;
    unit.bytes = m_input.mid(HeaderSize, length);
    unit.command = nullptr;
    m_input.remove(0, HeaderSize + length);
    return true;
}

bool RequestSplitter::nextRaw(Unit &unit)
{
    const qsizetype zeros = std::min<qsizetype>(m_input.size(), ZeroRun);
    for (qsizetype i = 0; i < zeros; ++i) {
        if (m_input[i] != '\0')
            return takeUnknown(unit);
    }
    if (m_input.size() <= ZeroRun)
        return false;
    bool partial = false;
    for (const RawCommand &command : RawCommands) {
        const int match = compare(command, m_input);
        if (match == 1) {
            unit.kind = Unit::Raw;
            unit.bytes = m_input.mid(ZeroRun, command.length);
            unit.command = command.name;
            m_input.remove(0, ZeroRun + command.length);
            return true;
        }
        partial = partial || match == 0;
    }
    return partial ? false : takeUnknown(unit);
}

bool RequestSplitter::takeUnknown(Unit &unit)
{
    unit.kind = Unit::Unknown;
    unit.bytes = m_input;
    unit.command = nullptr;
    m_input.clear();
    return true;
}

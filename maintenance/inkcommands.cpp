#include "maintenance/inkcommands.h"

namespace {

QByteArray bytes(std::initializer_list<quint8> values)
{
    QByteArray result;
    for (quint8 value : values)
        result.append(char(value));
    return result;
}

// Every print command shares this prefix and differs in its last byte.
QByteArray printCommand(quint8 last)
{
    return bytes({0x55, 0xaa, 0x4c, 0x41, 0x69, last});
}

// What comes before the value in the set command of each pattern set.
struct SetPrefix
{
    char patternSet;
    quint8 bytes[4];
    int length;
};
constexpr SetPrefix SetPrefixes[] = {
    {'A', {0x55, 0x0b, 0x00}, 3},       {'B', {0x55, 0x12, 0x00, 0x01}, 4},
    {'C', {0x55, 0x12, 0x00, 0x00}, 4}, {'D', {0x55, 0x12, 0x00, 0x02}, 4},
    {'E', {0x55, 0x12, 0x01, 0x02}, 4}, {'F', {0x55, 0x12, 0x02, 0x03}, 4},
    {'G', {0x55, 0x12, 0x02, 0x04}, 4},
};

} // namespace

namespace InkCommands {

QByteArray clean()
{
    return printCommand(0x81) + char(0x01);
}

QByteArray printTestPage()
{
    return printCommand(0x82);
}

QByteArray printAlignmentPage()
{
    return printCommand(0x90);
}

QByteArray alignmentStart()
{
    return printCommand(0x7f);
}

QByteArray printAlignmentPatterns()
{
    return printCommand(0x80);
}

QByteArray printVerificationPage()
{
    return printCommand(0x91);
}

QByteArray set(char patternSet, quint8 value)
{
    for (const SetPrefix &prefix : SetPrefixes) {
        if (prefix.patternSet == patternSet)
            return QByteArray(reinterpret_cast<const char *>(prefix.bytes), prefix.length) + char(value);
    }
    return QByteArray();
}

} // namespace InkCommands

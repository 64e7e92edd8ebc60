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
    QByteArray command;
    switch (patternSet) {
    case 'A':
        command = bytes({0x55, 0x0b, 0x00});
        break;
    case 'B':
        command = bytes({0x55, 0x12, 0x00, 0x01});
        break;
    case 'C':
        command = bytes({0x55, 0x12, 0x00, 0x00});
        break;
    case 'D':
        command = bytes({0x55, 0x12, 0x00, 0x02});
        break;
    case 'E':
        command = bytes({0x55, 0x12, 0x01, 0x02});
        break;
    case 'F':
        command = bytes({0x55, 0x12, 0x02, 0x03});
        break;
    case 'G':
        command = bytes({0x55, 0x12, 0x02, 0x04});
        break;
    default:
        return QByteArray();
    }
    return command + char(value);
}

} // namespace InkCommands

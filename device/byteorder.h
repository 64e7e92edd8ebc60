#pragma once

// Big-endian numbers in byte buffers, as the device protocol carries them.
// Header-only so that the device simulator shares them with the program.
#include <QByteArray>
#include <QtGlobal>

#include <algorithm>

namespace byteorder {
// The bytes [start, end) that a 32-bit value may occupy in a buffer of
// the given size: at most four, never past the buffer's end.
inline qsizetype clippedEnd(qsizetype size, qsizetype start, qsizetype end)
{
    if (end < 0)
        end = start + 4;
    return std::min({end, start + 4, size});
}
} // namespace byteorder

// Writes value into bytes [start, end), most significant byte first; with
// fewer than four bytes its low-order bytes are kept. A start outside the
// buffer writes nothing.
inline void PutBigEndian(QByteArray &buffer, qsizetype start, quint32 value, qsizetype end = -1)
{
    if (start < 0 || start >= buffer.size())
        return;
    for (qsizetype i = byteorder::clippedEnd(buffer.size(), start, end) - 1; i >= start; --i) {
        buffer[i] = char(value & 0xFF);
        value >>= 8;
    }
}

// Reads bytes [start, end) as a big-endian number; 0 for a start outside the buffer.
inline quint32 GetBigEndian(const QByteArray &buffer, qsizetype start, qsizetype end = -1)
{
    quint32 value = 0;
    if (start < 0 || start >= buffer.size())
        return value;
    const qsizetype last = byteorder::clippedEnd(buffer.size(), start, end);
    for (qsizetype i = start; i < last; ++i)
        value = (value << 8) | quint8(buffer[i]);
    return value;
}

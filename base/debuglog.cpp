#include "base/debuglog.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace {
constexpr int LineBufferSize = 4096;
constexpr int PrefixSize = 14; // "hh:mm:ss.zzz> "
// A line buffer that one long line made large is given back rather than kept.
constexpr qsizetype KeptCapacity = 4 * LineBufferSize;

// The buffer of the thread's trace lines and whether a line is in it now.
struct LineBuffer
{
    QString text;
    bool inUse = false;
};

LineBuffer &lineBuffer()
{
    thread_local LineBuffer buffer;
    return buffer;
}

void putTwoDigits(char *at, int value)
{
    at[0] = char('0' + value / 10 % 10);
    at[1] = char('0' + value % 10);
}

// Writes the "hh:mm:ss.zzz> " time of day. The local hour, minute and second
// are looked up once a second: the time-zone conversion costs more than the
// rest of a trace line, and a window fill writes tens of thousands of them.
void putTimePrefix(char *at)
{
    thread_local time_t knownSecond = -1;
    thread_local std::tm knownTime{};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec != knownSecond) {
        if (knownSecond == -1)
            tzset();
        knownSecond = now.tv_sec;
        localtime_r(&now.tv_sec, &knownTime);
    }
    const int msec = int(now.tv_nsec / 1000000);
    putTwoDigits(at, knownTime.tm_hour);
    at[2] = ':';
    putTwoDigits(at + 3, knownTime.tm_min);
    at[5] = ':';
    putTwoDigits(at + 6, knownTime.tm_sec);
    at[8] = '.';
    at[9] = char('0' + msec / 100);
    putTwoDigits(at + 10, msec % 100);
    at[12] = '>';
    at[13] = ' ';
}
} // namespace

void DebugLog(const char *format, ...)
{
    char line[LineBufferSize];
    putTimePrefix(line);

    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(line + PrefixSize, sizeof line - PrefixSize, format, args);
    va_end(args);
    if (written < 0)
        written = 0;
    const int length = std::min(PrefixSize + written, LineBufferSize - 1);

    // Straight to the toolkit's message output rather than through the
    // qDebug macro, so the trace stays on even in a build that defines
    // QT_NO_DEBUG_OUTPUT, and the line, already formatted, is not parsed as
    // a format a second time. Handlers and logging rules see it as any
    // debug message.
    qt_message_output(QtDebugMsg, QMessageLogContext(), QString::fromUtf8(line, length));
}

void DebugLogLine(const QString &text)
{
    TraceLine() << text;
}

TraceLine::TraceLine()
{
    LineBuffer &buffer = lineBuffer();
    if (buffer.inUse) {
        m_text = &m_own;
    } else {
        buffer.inUse = true;
        m_borrowed = true;
        m_text = &buffer.text;
        m_text->resize(0);
    }
    char prefix[PrefixSize];
    putTimePrefix(prefix);
    m_text->append(QLatin1String(prefix, PrefixSize));
}

TraceLine::~TraceLine()
{
    QString &line = *m_text;
    qsizetype kept = std::min<qsizetype>(line.size(), LineBufferSize - 1);
    // A cut line ends on a whole character.
    if (kept > PrefixSize && kept < line.size() && line.at(kept - 1).isHighSurrogate())
        --kept;
    line.truncate(kept);
    qt_message_output(QtDebugMsg, QMessageLogContext(), line);
    if (m_borrowed) {
        if (line.capacity() > KeptCapacity)
            line = QString();
        else
            line.resize(0);
        lineBuffer().inUse = false;
    }
}

void DumpBytes(const void *bytes, unsigned count, unsigned maxShown, const char *prefix)
{
    QByteArray text(prefix ? prefix : "");
    const auto *data = static_cast<const unsigned char *>(bytes);
    char group[8];
    for (unsigned i = 0; data && i < count && i < maxShown; ++i) {
        std::snprintf(group, sizeof group, "[0x%.2x]", static_cast<unsigned>(data[i]));
        text += group;
    }
    if (maxShown < count) {
        char tail[48];
        std::snprintf(tail, sizeof tail, " ... %u from %u", maxShown, count);
        text += tail;
    }
    DebugLog("%s", text.constData());
}

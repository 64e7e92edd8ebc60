#include "app/debuglog.h"

#include <QByteArray>
#include <QTime>
#include <QtGlobal>

#include <cstdarg>
#include <cstdio>

namespace {
constexpr int LineBufferSize = 4096;
}

void DebugLog(const char *format, ...)
{
    char line[LineBufferSize];
    // The "hh:mm:ss.zzz" time of day, printed from its fields: formatting
    // through a QTime pattern costs several microseconds, and a device
    // exchange writes four lines.
    const QTime now = QTime::currentTime();
    int used = std::snprintf(line, sizeof line, "%02d:%02d:%02d.%03d> ", now.hour(), now.minute(),
                             now.second(), now.msec());
    if (used < 0) {
        used = 0;
        line[0] = '\0';
    }

    va_list args;
    va_start(args, format);
    std::vsnprintf(line + used, sizeof line - static_cast<size_t>(used), format, args);
    va_end(args);

    // QMessageLogger rather than the qDebug macro: the trace must stay on
    // even in a build that defines QT_NO_DEBUG_OUTPUT.
    QMessageLogger().debug("%s", line);
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

#pragma once

#include <QString>
#include <QStringView>

// The program's one trace facility. Every call writes one line to standard
// error (through the toolkit's debug channel, so a test can listen in) with
// the time of day in front ("hh:mm:ss.zzz> "), cut at 4095 characters. Text
// that comes from outside (the device, a file, the command line) is always
// passed as an argument of "%s", never as the format itself.
void DebugLog(const char *format, ...) __attribute__((format(printf, 1, 2)));

// The same line for a text already made, such as an element's dump: it
// is not converted to bytes and back, which a window fill does for every
// setting. DebugLogLine(text) writes what DebugLog("%s", qPrintable(text))
// writes.
void DebugLogLine(const QString &text);

// One trace line put together in place, for the lines a window fill writes
// for every setting: the pieces go into a buffer the thread keeps from line
// to line, after the time of day, and the line is written when the
// TraceLine goes, cut as DebugLogLine cuts it. A TraceLine made while
// another one is being written (a message handler that traces) gets a
// buffer of its own.
class TraceLine
{
public:
    TraceLine();
    ~TraceLine();
    TraceLine(const TraceLine &) = delete;
    TraceLine &operator=(const TraceLine &) = delete;

    TraceLine &operator<<(QStringView text)
    {
        m_text->append(text);
        return *this;
    }
    TraceLine &operator<<(QLatin1String text)
    {
        m_text->append(text);
        return *this;
    }
    TraceLine &operator<<(QChar character)
    {
        m_text->append(character);
        return *this;
    }
    // The line so far, for code that appends its own parts.
    QString &text() { return *m_text; }

private:
    QString *m_text;
    QString m_own;
    bool m_borrowed = false;
};

// Writes the first bytes of a buffer as one trace line of "[0x..]" groups
// after the prefix, followed by " ... <shown> from <count>" when not all of
// them are shown.
void DumpBytes(const void *bytes, unsigned count, unsigned maxShown, const char *prefix);

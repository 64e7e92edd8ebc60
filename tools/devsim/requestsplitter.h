#pragma once

#include <QByteArray>
#include <QList>

// Cuts the bytes a client writes into the units the device acts on: framed
// requests (escape, '#', 4-byte big-endian length, payload) and raw
// maintenance commands (16 zero bytes, then one known command of 4 to 7
// bytes). Bytes that fit neither are handed back as one unknown unit.
class RequestSplitter
{
public:
    struct Unit
    {
        enum Kind { Framed, Raw, Unknown };
        Kind kind = Unknown;
        QByteArray bytes;              // the payload, the command bytes, or the unknown bytes
        const char *command = nullptr; // the raw command's name
    };

    // Longest payload a frame may announce; a longer one is an unknown unit.
    static constexpr quint32 MaxPayload = 64u * 1024u * 1024u;

    void append(const QByteArray &bytes) { m_input += bytes; }
    // The next complete unit, if there is one.
    bool next(Unit &unit);
    // Forgets a partial unit (the client went away).
    void clear() { m_input.clear(); }

private:
    bool nextRaw(Unit &unit);
    bool takeUnknown(Unit &unit);

    QByteArray m_input;
};

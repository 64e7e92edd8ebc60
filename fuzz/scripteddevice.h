#pragma once

#include "device/vlmclient.h"

#include <QByteArray>

// A device that answers from a script instead of a node, so a fuzz target
// never waits on a real file (the descriptor it opens is /dev/null's).
//
// The script's first byte holds the options: bit 0 runs the exchanges
// without a time limit, bit 1 takes at most 7 bytes per write, bit 2 fails
// every write. The rest is a sequence of records, each a length byte and
// that many reply bytes (fewer at the end of the script): one read returns
// one record, split further when the reader asks for less; an empty record
// is a poll interval in which nothing arrived. Once the script is used up
// the device has hung up.
class ScriptedDevice : public VLMClient
{
public:
    // The budget of one exchange in the timed mode.
    static constexpr quint32 Budget = 20;

    explicit ScriptedDevice(const QByteArray &script);

    qint64 readBlock(char *data, quint32 maxLength) override;
    qint64 writeBlock(const char *data, quint32 length) override;

private:
    QByteArray m_script;
    qsizetype m_next = 1;
    // Bytes of the current record not yet read.
    qsizetype m_pending = 0;
    int m_options = 0;
};

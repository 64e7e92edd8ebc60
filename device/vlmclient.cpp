#include "device/vlmclient.h"

#include "base/debuglog.h"
#include "device/byteorder.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

constexpr quint32 ShortReplyLength = 8;
constexpr int ShownPayloadBytes = 8;

QByteArray resultLine(const IOResult &io)
{
    return QByteArray("result = ") + (io.result ? "OK" : "FAIL") +
           "    size = " + QByteArray::number(io.size) +
           " bytes    elapsed = " + QByteArray::number(io.elapsed) + " ms    ";
}

// What is left of a budget after some of it was spent, never wrapping below zero.
quint32 remaining(quint32 budget, qint64 spent)
{
    return spent >= qint64(budget) ? 0 : budget - quint32(spent);
}

} // namespace

VLMClient::VLMClient(const QString &devPath) : IOClient(devPath)
{}

VLMClient::~VLMClient() = default;

QByteArray VLMClient::frameHeader(quint32 n)
{
    QByteArray header(HeaderSize, '\0');
    header[0] = '\x1b';
    header[1] = '#';
    PutBigEndian(header, 2, n);
    return header;
}

QByteArray VLMClient::command(const char *payload, quint32 n, quint32 m)
{
    QElapsedTimer stopwatch;
    stopwatch.start();
    // Deviation: the exchange's budget starts before the node is opened.
    // Opening it and waiting for another user to let go of it are part of
    // the exchange, and a device held elsewhere must not make it last longer.
    if (!open(QIODevice::ReadWrite | QIODevice::Unbuffered, m_commandTimeout)) {
        DebugLog("VLMClient::command(): %s: %s !",
                 lastFailure().kind == LinkFailure::Busy ? "device is busy" : "can't open device",
                 QFile::encodeName(fileName()).constData());
        return QByteArray();
    }
    QByteArray frame = frameHeader(n);
    DumpBytes(frame.constData(), HeaderSize, HeaderSize, "command header: ");
    DumpBytes(payload, n, ShownPayloadBytes, "command data: ");
    frame.append(payload, qsizetype(n));
    const quint32 budget =
        m_commandTimeout == NoTimeout ? NoTimeout : remaining(m_commandTimeout, stopwatch.elapsed());
    const QByteArray reply = exchange(frame, m, budget);
    close();
    return reply;
}

QByteArray VLMClient::exchange(const QByteArray &frame, quint32 m, quint32 budget)
{
    QElapsedTimer stopwatch;
    stopwatch.start();
    // The reply array keeps a terminating zero after its m bytes.
    QByteArray reply(qsizetype(m), '\0');
    const auto frameSize = quint32(frame.size());

    if (budget == NoTimeout) {
        // Unlimited exchanges are not logged; a reply that could not be read
        // in full (the device went away) is still no reply.
        if (!writeBlockTimed(frame.constData(), frameSize, NoTimeout).result)
            return QByteArray();
        return readBlockTimed(reply.data(), m, NoTimeout).result ? reply : QByteArray();
    }

    // Timed writes and timed reads are both non-blocking; one switch serves
    // the whole exchange.
    const NonBlockingScope nonBlocking(*this, true);
    const quint32 writeBudget = remaining(budget, stopwatch.restart());
    const IOResult written = writeBlockTimed(frame.constData(), frameSize, writeBudget);
    DebugLog("VLMClient::command(): write command data:\n%s", resultLine(written).constData());
    if (!written.result)
        return QByteArray();

    // Write and read share the budget; a write that used it all leaves the read nothing.
    const quint32 readBudget = remaining(writeBudget, stopwatch.restart());
    const IOResult read = readBlockTimed(reply.data(), m, readBudget);
    DebugLog("VLMClient::command(): read response data:\n%s", resultLine(read).constData());
    return read.result ? reply : QByteArray();
}

QByteArray VLMClient::getSpecification()
{
    const QByteArray announcement = command("ALL?", 4, ShortReplyLength);
    if (announcement.size() < qsizetype(ShortReplyLength)) {
        DebugLog("VLMClient::getSpecification(): wrong size of response %d", int(announcement.size() + 1));
        if (!lastFailure().failed())
            setFailure(LinkFailure::WrongReplySize, QString(), quint64(announcement.size()));
        return QByteArray();
    }
    const quint32 length = GetBigEndian(announcement, 2);
    if (length == 0) {
        DebugLog("VLMClient::getSpecification(): size of buffer is 0!");
        setFailure(LinkFailure::EmptyDescription);
        return QByteArray();
    }
    if (length > MaxDescriptionLength) {
        DebugLog("VLMClient::getSpecification(): size of buffer is too big: %u", length);
        setFailure(LinkFailure::DescriptionTooBig, QString(), length);
        return QByteArray();
    }
    return command("DATA", 4, length);
}

bool VLMClient::setChanges(const QString &changes)
{
    if (changes.isEmpty())
        return false;
    // One byte per character; characters outside Latin-1 become question marks.
    QByteArray bytes(changes.size(), '?');
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const char16_t c = changes.at(i).unicode();
        if (c < 0x100)
            bytes[i] = char(c);
    }
    const QByteArray reply = command(bytes.constData(), quint32(bytes.size()), ShortReplyLength);
    if (reply.size() < qsizetype(ShortReplyLength)) {
        DebugLog("VLMClient::setChanges(): wrong size of response %d", int(reply.size() + 1));
        if (!lastFailure().failed())
            setFailure(LinkFailure::WrongReplySize, QString(), quint64(reply.size()));
        return false;
    }
    const auto status = quint8(reply[7]);
    if (status != 0)
        setFailure(LinkFailure::Refused, QString(), status);
    return status == 0;
}

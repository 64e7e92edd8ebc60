#pragma once

#include "device/descriptionlimit.h"
#include "device/ioclient.h"

#include <QByteArray>
#include <QString>

// The device's settings protocol: each exchange writes one framed request
// (escape, '#', the payload length as 4 bytes big-endian, the payload) and
// reads a reply of a length the request implies, within commandTimeout for
// the whole exchange. The device is opened before and closed after each one.
class VLMClient : public IOClient
{
public:
    static constexpr quint32 MaxDescriptionLength = DescriptionLengthLimit;
    static constexpr int HeaderSize = 6;

    explicit VLMClient(const QString &devPath);
    ~VLMClient() override;

    [[nodiscard]] quint32 commandTimeout() const { return m_commandTimeout; }
    void setCommandTimeout(quint32 milliseconds) { m_commandTimeout = milliseconds; }

    // The 6-byte request header for a payload of n bytes.
    [[nodiscard]] static QByteArray frameHeader(quint32 n);

    // One exchange: the m reply bytes, or an empty array on any failure.
    [[nodiscard]] QByteArray command(const char *payload, quint32 n, quint32 m);
    // The description document, empty on failure.
    [[nodiscard]] QByteArray getSpecification();
    // True when the device accepted the change document.
    [[nodiscard]] bool setChanges(const QString &changes);

private:
    // Writes the frame and reads the reply within budget ms (NoTimeout: unlimited).
    [[nodiscard]] QByteArray exchange(const QByteArray &frame, quint32 m, quint32 budget);

    quint32 m_commandTimeout = NoTimeout;
};

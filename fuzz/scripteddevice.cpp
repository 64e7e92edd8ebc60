#include "fuzz/scripteddevice.h"

#include <algorithm>

namespace {
constexpr int Untimed = 0x1;
constexpr int ShortWrites = 0x2;
constexpr int FailedWrites = 0x4;
constexpr quint32 ShortWriteLength = 7;
} // namespace

ScriptedDevice::ScriptedDevice(const QByteArray &script)
    : VLMClient(QStringLiteral("/dev/null")), m_script(script),
      m_options(script.isEmpty() ? 0 : quint8(script.at(0)))
{
    setReadPollInterval(200);
    setCommandTimeout(m_options & Untimed ? NoTimeout : Budget);
}

qint64 ScriptedDevice::readBlock(char *data, quint32 maxLength)
{
    if (m_pending == 0) {
        if (m_next >= m_script.size())
            return -1;
        m_pending = quint8(m_script.at(m_next++));
        m_pending = std::min(m_pending, m_script.size() - m_next);
        if (m_pending == 0)
            return 0;
    }
    const qsizetype count = std::min<qsizetype>(m_pending, maxLength);
    std::copy_n(m_script.constData() + m_next, count, data);
    m_next += count;
    m_pending -= count;
    return count;
}

qint64 ScriptedDevice::writeBlock(const char *, quint32 length)
{
    if (m_options & FailedWrites)
        return -1;
    return m_options & ShortWrites ? std::min(length, ShortWriteLength) : length;
}

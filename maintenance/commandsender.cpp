#include "maintenance/commandsender.h"

#include "base/debuglog.h"
#include "device/ioclient.h"

bool CommandSender::send(const QByteArray &command)
{
    IOClient client(m_devPath);
    if (!client.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_failure = client.lastFailure();
        DebugLog("CommandSender::send(): can't open device %s: %s", qPrintable(m_devPath),
                 qPrintable(m_failure.text()));
        return false;
    }
    DumpBytes(command.constData(), unsigned(command.size()), unsigned(command.size()),
              "maintenance command: ");
    const QByteArray zeros(ZeroRun, '\0');
    bool written = client.writeBlockTimed(zeros.constData(), ZeroRun, WriteBudgetMs).result &&
                   client.writeBlockTimed(command.constData(), quint32(command.size()), WriteBudgetMs).result;
    m_failure = client.lastFailure();
    client.close();
    if (!written)
        DebugLog("CommandSender::send(): %s: %s", qPrintable(m_devPath), qPrintable(m_failure.text()));
    return written;
}

bool CommandSender::sendAll(const QList<QByteArray> &commands)
{
    for (const QByteArray &command : commands) {
        if (!send(command))
            return false;
    }
    return true;
}

#include "maintenance/commandsender.h"

#include "base/debuglog.h"
#include "device/ioclient.h"

#include <QFile>

bool CommandSender::send(const QByteArray &command)
{
    IOClient client(m_devPath);
    // Another user of the node is waited for within the first block's budget.
    if (!client.open(QIODevice::WriteOnly | QIODevice::Unbuffered, WriteBudgetMs)) {
        m_failure = client.lastFailure();
        DebugLog("CommandSender::send(): can't open device %s: %s", QFile::encodeName(m_devPath).constData(),
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
        DebugLog("CommandSender::send(): %s: %s", QFile::encodeName(m_devPath).constData(),
                 qPrintable(m_failure.text()));
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

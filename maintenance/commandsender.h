#pragma once

#include "device/linkfailure.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Writes raw maintenance commands to the device node: for each command the
// node is opened for writing only (and held against other users, waited for
// within 100 ms), 16 zero bytes go first, then the command, each write within
// 100 ms, and the node is closed again. Nothing is read
// back. A command that cannot be written is not fatal; lastFailure() says
// why, for the wizard page that sent it.
class CommandSender
{
public:
    static constexpr int ZeroRun = 16;
    static constexpr quint32 WriteBudgetMs = 100;

    explicit CommandSender(const QString &devPath) : m_devPath(devPath) {}

    // True when the whole command was written.
    bool send(const QByteArray &command);
    // Sends in order and stops at the first command the device did not take:
    // the ones after it depend on it (set values before the page that shows them).
    bool sendAll(const QList<QByteArray> &commands);

    [[nodiscard]] const LinkFailure &lastFailure() const { return m_failure; }

private:
    QString m_devPath;
    LinkFailure m_failure;
};

#pragma once

#include "device/ioresult.h"
#include "device/linkfailure.h"

#include <QIODevice>
#include <QString>

#include <functional>

// The byte channel to the device node. Reads can be made to wait only a
// short poll interval for data, and whole blocks are moved within a time
// budget (writeBlockTimed, readBlockTimed). Both timed transfers go through
// the virtual readBlock and writeBlock, so a subclass takes part in them.
class IOClient
{
public:
    // A time-out with all bits set: no time limit.
    static constexpr quint32 NoTimeout = 0xFFFFFFFFu;
    // The poll interval of reads that wait until data come (within a timed
    // transfer: until its budget is used).
    static constexpr int WaitForData = -1;

    explicit IOClient(const QString &devPath);
    virtual ~IOClient();
    IOClient(const IOClient &) = delete;
    IOClient &operator=(const IOClient &) = delete;

    // Opens the node unbuffered for the given direction(s); never as the
    // controlling terminal, and without waiting on the node itself. The node
    // is then locked for this object until close(): another process's lock
    // on it is waited for at most timeout ms. On failure lastFailure() says
    // why (Busy when the lock stayed taken).
    virtual bool open(QIODevice::OpenMode mode, quint32 timeout = NoTimeout);
    virtual void close();
    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    [[nodiscard]] int handle() const { return m_fd; }
    [[nodiscard]] QString fileName() const { return m_path; }

    // Microseconds a read waits for data; WaitForData for reads that block
    // (only outside a timed transfer: inside one they wait what is left of its budget).
    [[nodiscard]] int readPollInterval() const { return m_pollInterval; }
    void setReadPollInterval(int microseconds) { m_pollInterval = microseconds; }

    // One read: the bytes read, 0 when nothing arrived within the poll
    // interval (or what is left of a timed read's budget), negative on an
    // error or when the device hung up.
    virtual qint64 readBlock(char *data, quint32 maxLength);
    // One write: the bytes written (0 when a timed write would block), negative on an error.
    virtual qint64 writeBlock(const char *data, quint32 length);

    IOResult writeBlockTimed(const char *data, quint32 length, quint32 timeout);
    IOResult readBlockTimed(char *data, quint32 length, quint32 timeout);

    // Why the last open or timed transfer failed; None after a success.
    [[nodiscard]] const LinkFailure &lastFailure() const { return m_failure; }

protected:
    void setFailure(LinkFailure::Kind kind, const QString &detail = QString(), quint64 number = 0);
    void clearFailure() { m_failure = LinkFailure(); }

    // Keeps the descriptor non-blocking while it lives, so the transfers
    // inside (non-blocking reads, timed writes) find it so and switch the
    // mode no more. A scope that is not wanted does nothing.
    class NonBlockingScope
    {
    public:
        NonBlockingScope(IOClient &client, bool wanted) : m_client(client)
        {
            m_restore = wanted && !client.setNonBlocking(true);
        }
        ~NonBlockingScope()
        {
            if (m_restore)
                m_client.setNonBlocking(false);
        }
        NonBlockingScope(const NonBlockingScope &) = delete;
        NonBlockingScope &operator=(const NonBlockingScope &) = delete;

    private:
        IOClient &m_client;
        bool m_restore = false;
    };

private:
    using Transfer = std::function<qint64(quint32 offset, quint32 remaining, quint32 budgetLeft)>;
    IOResult transferTimed(quint32 length, quint32 timeout, const Transfer &transfer,
                           LinkFailure::Kind incomplete);
    qint64 readOnce(char *data, quint32 maxLength);
    bool waitWritable(quint32 milliseconds) const;
    bool lockWithin(quint32 timeout);
    qint64 failedTransfer(int error);
    // Puts the descriptor in or out of non-blocking mode; returns the mode it was in.
    bool setNonBlocking(bool on);

    QString m_path;
    int m_fd = -1;
    int m_pollInterval = -1;
    int m_statusFlags = -1;     // the descriptor's status flags without O_NONBLOCK; -1 unknown
    bool m_nonBlocking = false; // O_NONBLOCK is set on the descriptor
    bool m_hungUp = false;      // the last transfer met a hang-up
    int m_lastError = 0;        // errno of the last failed transfer
    // Milliseconds a timed read has left for its next single read.
    quint32 m_budgetLeft = NoTimeout;
    LinkFailure m_failure;
};

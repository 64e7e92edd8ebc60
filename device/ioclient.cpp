#include "device/ioclient.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool waitFor(int fd, bool forWriting, long microseconds)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(fd, &set);
    timeval timeout{microseconds / 1000000, microseconds % 1000000};
    const int ready =
        ::select(fd + 1, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &timeout);
    return ready > 0 && FD_ISSET(fd, &set);
}

} // namespace

IOClient::IOClient(const QString &devPath) : m_path(devPath)
{}

IOClient::~IOClient()
{
    close();
}

bool IOClient::open(QIODevice::OpenMode mode)
{
    close();
    clearFailure();
    int flags = O_RDONLY;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags = O_RDWR;
    else if (mode & QIODevice::WriteOnly)
        flags = O_WRONLY;
    // A pseudo-terminal must never become the program's controlling terminal.
    m_fd = ::open(m_path.toLocal8Bit().constData(), flags | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0) {
        setFailure(LinkFailure::CannotOpen, systemError(errno));
        return false;
    }
    // Read once here rather than before every switch: only this object
    // changes them, and each fcntl is a system call per poll.
    const int status = ::fcntl(m_fd, F_GETFL);
    m_statusFlags = status < 0 ? -1 : (status & ~O_NONBLOCK);
    m_nonBlocking = status >= 0 && (status & O_NONBLOCK);
    return true;
}

void IOClient::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_statusFlags = -1;
    m_nonBlocking = false;
}

bool IOClient::setNonBlocking(bool on)
{
    const bool was = m_nonBlocking;
    if (m_fd < 0 || m_statusFlags < 0 || on == was)
        return was;
    if (::fcntl(m_fd, F_SETFL, on ? (m_statusFlags | O_NONBLOCK) : m_statusFlags) == 0)
        m_nonBlocking = on;
    return was;
}

void IOClient::setFailure(LinkFailure::Kind kind, const QString &detail, quint64 number)
{
    m_failure.kind = kind;
    m_failure.detail = detail;
    m_failure.number = number;
}

qint64 IOClient::failedTransfer(int error)
{
    m_lastError = error;
    // EIO is what a pseudo-terminal (and many device nodes) report once the other side is gone.
    if (error == EIO)
        m_hungUp = true;
    return -1;
}

qint64 IOClient::readOnce(char *data, quint32 maxLength)
{
    const ssize_t got = ::read(m_fd, data, maxLength);
    if (got > 0)
        return got;
    if (got == 0 && maxLength > 0) {
        // Readable, yet nothing to read: the other side hung up.
        m_hungUp = true;
        return -1;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return 0;
    return got == 0 ? 0 : failedTransfer(errno);
}

qint64 IOClient::readBlock(char *data, quint32 maxLength)
{
    if (m_fd < 0)
        return failedTransfer(EBADF);
    if (m_pollInterval == -1)
        return readOnce(data, maxLength);
    if (!waitFor(m_fd, false, m_pollInterval))
        return 0;
    // The single read never blocks; inside a timed read the descriptor
    // already is non-blocking and nothing is switched here.
    const NonBlockingScope nonBlocking(*this, true);
    return readOnce(data, maxLength);
}

qint64 IOClient::writeBlock(const char *data, quint32 length)
{
    if (m_fd < 0)
        return failedTransfer(EBADF);
    // Blocking, unless a timed write made the descriptor non-blocking.
    const ssize_t written = ::write(m_fd, data, length);
    if (written >= 0)
        return written;
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR)
        return 0;
    return failedTransfer(error);
}

bool IOClient::waitWritable(quint32 milliseconds) const
{
    // Without a descriptor (a subclass with transfers of its own) there is nothing to wait for.
    return m_fd < 0 || waitFor(m_fd, true, long(milliseconds) * 1000);
}

IOResult IOClient::transferTimed(quint32 length, quint32 timeout, const Transfer &transfer,
                                 LinkFailure::Kind incomplete)
{
    IOResult io;
    m_hungUp = false;
    m_lastError = 0;
    clearFailure();
    // A transfer that fails ends the loop, and its negative result is not counted.
    auto fail = [&](qint64 got) {
        if (m_hungUp)
            setFailure(LinkFailure::HangUp);
        else
            setFailure(incomplete, got < 0 && m_lastError ? systemError(m_lastError) : QString());
        io.result = false;
        return io;
    };

    if (timeout == NoTimeout) {
        while (io.size < length) {
            const qint64 got = transfer(io.size, length - io.size, NoTimeout);
            if (got < 0)
                return fail(got);
            io.size += quint32(got);
        }
        io.result = true;
        return io;
    }

    QElapsedTimer stopwatch;
    stopwatch.start();
    while (io.size < length) {
        if (io.elapsed >= timeout)
            return fail(0);
        const qint64 got = transfer(io.size, length - io.size, timeout - io.elapsed);
        // Measured from the start rather than summed per transfer: a poll
        // is shorter than a millisecond, and summing whole milliseconds of
        // each would lose them all and never reach the budget.
        io.elapsed = quint32(std::min<qint64>(stopwatch.elapsed(), NoTimeout - 1));
        if (got < 0)
            return fail(got);
        io.size += quint32(got);
    }
    io.result = true;
    return io;
}

IOResult IOClient::writeBlockTimed(const char *data, quint32 length, quint32 timeout)
{
    if (timeout == NoTimeout) {
        return transferTimed(
            length, timeout,
            [&](quint32 offset, quint32 remaining, quint32) { return writeBlock(data + offset, remaining); },
            LinkFailure::WriteIncomplete);
    }
    // Deviation: a timed write does not block. A device that stops reading
    // fills the node's buffer (a pseudo-terminal holds about 20 KiB), and a
    // blocking write would then outlive any budget. Each write puts what
    // fits without blocking; one that would block waits for writability
    // within what is left of the budget.
    const NonBlockingScope nonBlocking(*this, true);
    return transferTimed(
        length, timeout,
        [&](quint32 offset, quint32 remaining, quint32 budgetLeft) -> qint64 {
            const qint64 written = writeBlock(data + offset, remaining);
            if (written == 0)
                waitWritable(budgetLeft);
            return written;
        },
        LinkFailure::WriteIncomplete);
}

IOResult IOClient::readBlockTimed(char *data, quint32 length, quint32 timeout)
{
    // Polled reads are non-blocking: switched once for the whole block, not around each read.
    const NonBlockingScope nonBlocking(*this, m_pollInterval != -1);
    return transferTimed(
        length, timeout,
        [&](quint32 offset, quint32 remaining, quint32) { return readBlock(data + offset, remaining); },
        LinkFailure::ReadIncomplete);
}

#include "device/ioclient.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// How often a lock another process holds on the node is tried again.
constexpr qint64 LockRetryMs = 5;

// Deviation: a wait names the one descriptor rather than a descriptor set,
// whose 1024 bits a program with many files open outgrows. Any event
// counts, a hang-up or an error too: the transfer that follows tells them apart.
bool waitFor(int fd, short events, qint64 microseconds)
{
    pollfd entry{fd, events, 0};
    const timespec timeout{time_t(microseconds / 1000000), long(microseconds % 1000000) * 1000};
    return ::ppoll(&entry, 1, &timeout, nullptr) > 0;
}

} // namespace

IOClient::IOClient(const QString &devPath) : m_path(devPath)
{}

IOClient::~IOClient()
{
    close();
}

bool IOClient::open(QIODevice::OpenMode mode, quint32 timeout)
{
    QElapsedTimer clock;
    clock.start();
    close();
    clearFailure();
    int flags = O_RDONLY;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags = O_RDWR;
    else if (mode & QIODevice::WriteOnly)
        flags = O_WRONLY;
    // A pseudo-terminal must never become the program's controlling
    // terminal. Deviation: opened non-blocking, so a terminal that waits for
    // its line (or a pipe without a reader) cannot hold the program before
    // any budget starts; the transfers switch the mode as they need it.
    m_fd = ::open(QFile::encodeName(m_path).constData(), flags | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        setFailure(LinkFailure::CannotOpen, systemError(errno));
        return false;
    }
    // Read once here rather than before every switch: only this object
    // changes them, and each fcntl is a system call per poll.
    const int status = ::fcntl(m_fd, F_GETFL);
    m_statusFlags = status < 0 ? -1 : (status & ~O_NONBLOCK);
    m_nonBlocking = status >= 0 && (status & O_NONBLOCK);
    const quint32 spent = quint32(std::min<qint64>(clock.elapsed(), NoTimeout - 1));
    if (!lockWithin(timeout == NoTimeout ? NoTimeout : timeout - std::min(timeout, spent))) {
        close();
        setFailure(LinkFailure::Busy);
        return false;
    }
    // The node blocks, as any file opened plainly.
    setNonBlocking(false);
    return true;
}

bool IOClient::lockWithin(quint32 timeout)
{
    // Deviation: the node has one user at a time. The window, a wizard and
    // velmoractl each talk to it in exchanges of their own; two of them
    // interleaved would each read the other's replies (and a USB printer's
    // node admits only one opener anyway). Another user's lock is tried
    // again until the time is used; only an exchange without a time limit
    // waits for it as long as it takes.
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        // A node whose file system has no locks is used without one.
        if (errno != EWOULDBLOCK)
            return true;
        const qint64 left = timeout == NoTimeout ? LockRetryMs : qint64(timeout) - clock.elapsed();
        if (left <= 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, LockRetryMs)));
    }
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
    // Any negative interval waits for data: there is no shorter wait than none.
    const bool waitsForData = m_pollInterval <= WaitForData;
    if (waitsForData && m_budgetLeft == NoTimeout)
        return readOnce(data, maxLength);
    // Deviation: a read set to wait for data waits no longer than what is
    // left of its timed transfer's budget, so a device that never answers
    // cannot hold it for ever; a poll interval is cut to that as well.
    const qint64 budget = m_budgetLeft == NoTimeout ? m_pollInterval : qint64(m_budgetLeft) * 1000;
    if (!waitFor(m_fd, POLLIN, waitsForData ? budget : std::min<qint64>(m_pollInterval, budget)))
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
    return m_fd < 0 || waitFor(m_fd, POLLOUT, qint64(milliseconds) * 1000);
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
    // Reads that wait are non-blocking: switched once for the whole block,
    // not around each read. Only an untimed read without polling blocks.
    const NonBlockingScope nonBlocking(*this, m_pollInterval >= 0 || timeout != NoTimeout);
    const IOResult io = transferTimed(
        length, timeout,
        [&](quint32 offset, quint32 remaining, quint32 budgetLeft) {
            m_budgetLeft = budgetLeft;
            return readBlock(data + offset, remaining);
        },
        LinkFailure::ReadIncomplete);
    m_budgetLeft = NoTimeout;
    return io;
}

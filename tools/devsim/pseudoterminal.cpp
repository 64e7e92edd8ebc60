#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(QByteArray linkPath) : m_linkPath(std::move(linkPath))
{}

namespace {

// Where a symbolic link leads; empty when path is none.
QByteArray linkTarget(const QByteArray &path)
{
    char target[4096];
    const ssize_t length = ::readlink(path.constData(), target, sizeof target);
    return length > 0 && size_t(length) < sizeof target ? QByteArray(target, length) : QByteArray();
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
    // Only the link this simulator made goes: whatever somebody put in its
    // place since stays.
    if (!m_slavePath.isEmpty() && linkTarget(m_linkPath) == m_slavePath)
        ::unlink(m_linkPath.constData());
}

bool PseudoTerminal::mayReplaceLink()
{
    struct stat status = {};
    if (::lstat(m_linkPath.constData(), &status) != 0)
        return errno == ENOENT || fail("lstat");
    // A link to a terminal node is one a simulator published, this one or
    // one that ended without cleaning up; anything else is somebody's.
    if (S_ISLNK(status.st_mode) && linkTarget(m_linkPath).startsWith("/dev/pts/"))
        return true;
    m_error = m_linkPath + " exists and is not a device link; it is not replaced";
    close();
    return false;
}

bool PseudoTerminal::publishLink()
{
    // Made under a name of its own first, then renamed over the link in one
    // step, so a client never finds the link missing. A name that is taken
    // is somebody's: the next one is tried instead.
    QByteArray temporary;
    for (int attempt = 0;; ++attempt) {
        temporary = m_linkPath + ".new-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(attempt);
        if (::symlink(m_slavePath.constData(), temporary.constData()) == 0)
            break;
        if (errno != EEXIST || attempt >= 100)
            return fail("symlink");
    }
    const bool mayReplace = mayReplaceLink();
    if (mayReplace && ::rename(temporary.constData(), m_linkPath.constData()) == 0)
        return true;
    const int error = errno;
    ::unlink(temporary.constData());
    errno = error;
    return mayReplace ? fail("rename") : false;
}

bool PseudoTerminal::fail(const char *what)
{
    m_error = QByteArray(what) + ": " + std::strerror(errno);
    close();
    return false;
}

bool PseudoTerminal::open()
{
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return fail("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail("grantpt/unlockpt");
    const char *name = ::ptsname(m_master);
    if (!name)
        return fail("ptsname");
    m_slavePath = name;

    // Raw mode: no echo, no line editing, no character translation. Set
    // through the master, it holds for every later opening of the node.
    termios mode{};
    if (::tcgetattr(m_master, &mode) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&mode);
    if (::tcsetattr(m_master, TCSANOW, &mode) != 0)
        return fail("tcsetattr");
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);

    // Registered for the master's whole life, so a change that happens
    // between seeing the hang-up and going to sleep is still queued.
    m_changes = ::epoll_create1(EPOLL_CLOEXEC);
    if (m_changes < 0)
        return fail("epoll_create1");
    epoll_event interest{};
    interest.events = EPOLLIN | EPOLLET;
    interest.data.fd = m_master;
    if (::epoll_ctl(m_changes, EPOLL_CTL_ADD, m_master, &interest) != 0)
        return fail("epoll_ctl");

    return publishLink();
}

void PseudoTerminal::close()
{
    if (m_changes >= 0)
        ::close(m_changes);
    m_changes = -1;
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

bool PseudoTerminal::waitWhileHungUp()
{
    // Edge-triggered: the lasting hang-up is reported once, not on every
    // call, so this sleeps until the master's side is woken again (a client
    // writes, or closes the node after opening it). A wake-up that finds the
    // node still hung up costs one more round of the caller's loop.
    epoll_event event{};
    const int ready = ::epoll_wait(m_changes, &event, 1, -1);
    return ready >= 0 || errno == EINTR;
}

void PseudoTerminal::drainClientSide()
{
    const int slave = ::open(m_slavePath.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0)
        return;
    char buffer[4096];
    while (::read(slave, buffer, sizeof buffer) > 0) {
    }
    // Input only: flushing the node's output would drop what a new client
    // may already have written to the device.
    ::tcflush(slave, TCIFLUSH);
    ::close(slave);
}

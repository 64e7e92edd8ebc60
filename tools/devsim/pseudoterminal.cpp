#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/epoll.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(QByteArray linkPath) : m_linkPath(std::move(linkPath))
{}

PseudoTerminal::~PseudoTerminal()
{
    close();
    ::unlink(m_linkPath.constData());
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

    // Replace the link in one step, so a client never finds it missing.
    const QByteArray temporary = m_linkPath + ".new";
    ::unlink(temporary.constData());
    if (::symlink(name, temporary.constData()) != 0 ||
        ::rename(temporary.constData(), m_linkPath.constData()) != 0)
        return fail("symlink");
    return true;
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

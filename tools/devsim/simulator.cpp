#include "simulator.h"

#include "device/byteorder.h"

#include <QDomDocument>
#include <QJsonDocument>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int SplitPauseMs = 2;
} // namespace

Simulator::Simulator(SimulatorOptions options) : m_options(std::move(options)), m_terminal(m_options.linkPath)
{
    m_clock.start();
}

bool Simulator::start()
{
    // The record is appended to, never written through a link: the file at
    // its end may be anybody's.
    struct stat status = {};
    if (!m_options.recordPath.isEmpty() && ::lstat(m_options.recordPath.constData(), &status) == 0 &&
        S_ISLNK(status.st_mode)) {
        m_error = m_options.recordPath + " is a symbolic link; the record is not written through one";
        return false;
    }
    if (!m_terminal.open()) {
        m_error = m_terminal.error();
        return false;
    }
    return true;
}

int Simulator::run(const volatile std::sig_atomic_t &stop)
{
    while (!stop) {
        pollfd descriptor{m_terminal.master(), short(m_options.deaf ? 0 : POLLIN), 0};
        // One clock reading for both: a reply must either be waited for by
        // room (POLLOUT) or by time, never fall between the two.
        const qint64 now = m_clock.elapsed();
        if (m_pending && m_pending->due <= now)
            descriptor.events |= POLLOUT;
        if (::poll(&descriptor, 1, pollTimeout(now)) < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (descriptor.revents & POLLIN)
            readInput();
        // A hang-up seen together with input may be stale: the last client
        // closed and the next one has already opened and written. Hang-up
        // only counts while it still holds; the next client's request and
        // its reply must not go with the client that left.
        if ((descriptor.revents & POLLHUP) && stillHungUp()) {
            clientLeft();
            // No client: the master reports hang-up at once on every poll, so
            // sleep until the node changes instead of looking again.
            if (!m_terminal.waitWhileHungUp())
                return 1;
            continue;
        }
        m_clientPresent = true;
        if (descriptor.revents & POLLOUT)
            sendDue();
    }
    return 0;
}

int Simulator::pollTimeout(qint64 now) const
{
    // A reply that is due waits for room in the node (POLLOUT), not for the
    // clock: a time-out of 0 here would spin for as long as the client takes
    // to read. Only a reply that is not yet due wakes the loop by time.
    if (!m_pending)
        return -1;
    const qint64 wait = m_pending->due - now;
    return wait > 0 ? int(wait) : -1;
}

void Simulator::readInput()
{
    char buffer[65536];
    ssize_t got;
    while ((got = ::read(m_terminal.master(), buffer, sizeof buffer)) > 0)
        m_splitter.append(QByteArray(buffer, got));
    RequestSplitter::Unit unit;
    while (m_splitter.next(unit))
        handle(unit);
}

bool Simulator::stillHungUp() const
{
    pollfd now{m_terminal.master(), 0, 0};
    return ::poll(&now, 1, 0) > 0 && (now.revents & POLLHUP);
}

void Simulator::clientLeft()
{
    // A reply still pending belongs to the client that left; the next
    // client must never find it, nor anything this one left unread.
    m_pending.reset();
    m_splitter.clear();
    if (m_clientPresent)
        m_terminal.drainClientSide();
    m_clientPresent = false;
}

void Simulator::handle(const RequestSplitter::Unit &unit)
{
    QJsonObject object;
    const QByteArray reply = answer(unit, object);
    record(object);
    // A new request ends any exchange still waiting for its reply.
    m_pending.reset();
    const bool failing = m_options.failFrom >= 0 && ++m_requests > m_options.failFrom;
    if (!reply.isEmpty() && !m_options.silent && !failing)
        m_pending = Reply{reply, 0, m_clock.elapsed() + m_options.delayMs};
}

QByteArray Simulator::answer(const RequestSplitter::Unit &unit, QJsonObject &object)
{
    const QByteArray hex = unit.bytes.toHex();
    if (unit.kind == RequestSplitter::Unit::Raw) {
        object = {{"request", "raw"}, {"command", unit.command}, {"hex", QString::fromLatin1(hex)}};
        return QByteArray();
    }
    if (unit.kind == RequestSplitter::Unit::Unknown) {
        object = {{"request", "unknown"}, {"hex", QString::fromLatin1(hex)}};
        return QByteArray();
    }
    if (unit.bytes == "ALL?") {
        object = {{"request", "ALL?"}};
        QByteArray reply(8, '\0');
        PutBigEndian(reply, 2, m_options.announce.value_or(quint32(m_options.description.size())));
        return m_options.shortReply ? reply.left(5) : reply;
    }
    if (unit.bytes == "DATA") {
        object = {{"request", "DATA"}};
        return m_options.description;
    }
    object = {
        {"request", "changes"}, {"text", QString::fromLatin1(unit.bytes)}, {"status", m_options.status}};
    if (m_options.apply && m_options.status == 0)
        applyChanges(unit.bytes);
    QByteArray reply(8, '\0');
    reply[7] = char(m_options.status);
    return reply;
}

void Simulator::applyChanges(const QByteArray &changes)
{
    QDomDocument received;
    QDomDocument served;
    if (!received.setContent(QString::fromLatin1(changes)) || !served.setContent(m_options.description))
        return;
    const QDomElement settings = served.documentElement().firstChildElement("PrinterSettingsInfo");
    const QDomElement list = received.documentElement().firstChildElement("PrinterSettingsInfo");
    bool changed = false;
    for (QDomElement change = list.firstChildElement(); !change.isNull();
         change = change.nextSiblingElement()) {
        // A pressed button has no value to keep; only settings with a value change.
        QDomElement target = settings.elementsByTagName(change.tagName()).item(0).toElement();
        if (!change.hasAttribute("CURRENT") || !target.hasAttribute("CURRENT") ||
            change.attribute("CURRENT") == QLatin1String("PRESSED"))
            continue;
        target.setAttribute("CURRENT", change.attribute("CURRENT"));
        changed = true;
    }
    if (changed)
        m_options.description = served.toByteArray(1);
}

void Simulator::record(const QJsonObject &object)
{
    if (m_options.recordPath.isEmpty())
        return;
    // Appended and closed at once, so a reader always sees whole lines.
    const int fd = ::open(m_options.recordPath.constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return;
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    (void)!::write(fd, line.constData(), size_t(line.size()));
    ::close(fd);
}

void Simulator::sendDue()
{
    Reply &reply = *m_pending;
    qsizetype piece = reply.bytes.size() - reply.sent;
    if (m_options.split > 0)
        piece = std::min<qsizetype>(piece, m_options.split);
    if (m_options.hangupAfter >= 0)
        piece = std::min<qsizetype>(piece, m_options.hangupAfter - reply.sent);
    const ssize_t written =
        piece > 0 ? ::write(m_terminal.master(), reply.bytes.constData() + reply.sent, size_t(piece)) : 0;
    if (written > 0)
        reply.sent += written;
    if (m_options.hangupAfter >= 0 && reply.sent >= m_options.hangupAfter) {
        // The client sees the device vanish; a fresh node takes the link's place.
        m_pending.reset();
        m_splitter.clear();
        m_clientPresent = false;
        m_terminal.open();
        return;
    }
    if (reply.sent >= reply.bytes.size())
        m_pending.reset();
    else if (m_options.split > 0)
        reply.due = m_clock.elapsed() + SplitPauseMs;
}

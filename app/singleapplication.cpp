#include "app/singleapplication.h"

#include "base/debuglog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
constexpr char Acknowledge = '\x06';
constexpr int RetryPauseMs = 20;
constexpr QDataStream::Version WireVersion = QDataStream::Qt_6_0;

constexpr char LockSuffix[] = ".lock";
constexpr char SocketSuffix[] = ".socket";
// A socket path must fit the 108 bytes of sun_path, name and suffix included.
constexpr int MaxDirectoryLength = 107 - 48;

// Only a directory of ours that nobody else may enter will do: anyone who
// can put a socket there could answer in the instance's place.
bool isPrivateDirectory(const QByteArray &path)
{
    struct stat info;
    if (::lstat(path.constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// A folder of our own in a shared temporary directory. One that exists
// already but is open to others is refused rather than repaired: whatever
// others put there meanwhile would stay.
QByteArray ownFolderIn(const QByteArray &parent)
{
    const QByteArray own = parent + "/velmora-" + QByteArray::number(static_cast<qulonglong>(::geteuid()));
    if (::mkdir(own.constData(), 0700) != 0 && errno != EEXIST)
        return QByteArray();
    if (!isPrivateDirectory(own)) {
        DebugLog("SingleApplication: <%s> is not a private directory of this user", own.constData());
        return QByteArray();
    }
    return own;
}

QString privateDirectory()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && runtime.size() <= MaxDirectoryLength && isPrivateDirectory(runtime))
        return QFile::decodeName(runtime);
    QByteArray temp = QFile::encodeName(QDir::tempPath());
    if (temp.size() + 20 > MaxDirectoryLength)
        temp = "/tmp";
    return QFile::decodeName(ownFolderIn(temp));
}

QString instanceBase(const QString &key)
{
    const QString dir = privateDirectory();
    if (dir.isEmpty())
        return QString();
    const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex();
    return dir + QStringLiteral("/velmora-") + QString::fromLatin1(digest.left(32));
}

QString instanceFile(const QString &base, const char *suffix)
{
    return base.isEmpty() ? QString() : base + QLatin1String(suffix);
}

// The address of a socket file; false when the path does not fit.
bool socketAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray encoded = QFile::encodeName(path);
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (encoded.isEmpty() || size_t(encoded.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

// Waits until the descriptor is ready for what events asks, at most until
// the deadline; false when it is not by then.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd watched{fd, events, 0};
    for (;;) {
        // A deadline that never expires has no time left to count (-1).
        const qint64 remaining = deadline.remainingTime();
        const int left = remaining < 0 ? -1 : int(std::min<qint64>(remaining, 60000));
        const int ready = ::poll(&watched, 1, left);
        if (ready > 0)
            return (watched.revents & events) != 0;
        if (ready == 0 ? deadline.hasExpired() : errno != EINTR)
            return false;
    }
}

// A descriptor closed when the scope ends.
struct OwnedSocket
{
    int fd;
    ~OwnedSocket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

QByteArray messageFrame(const QString &message)
{
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out.setVersion(WireVersion);
    out << message;
    return frame;
}

// The length of text a frame announces, or NoLength before its first four
// bytes have come.
constexpr quint32 NullText = 0xFFFFFFFFu;
constexpr qint64 NoLength = -1;
qint64 announcedLength(const QByteArray &received)
{
    if (received.size() < qsizetype(sizeof(quint32)))
        return NoLength;
    const quint32 length = qFromBigEndian<quint32>(received.constData());
    return length == NullText ? 0 : qint64(length);
}
} // namespace

QString SingleApplication::lockFilePath(const QString &key)
{
    return instanceFile(instanceBase(key), LockSuffix);
}

QString SingleApplication::socketPath(const QString &key)
{
    return instanceFile(instanceBase(key), SocketSuffix);
}

SingleApplication::SingleApplication(const QString &key, int &argc, char **argv)
    : QApplication(argc, argv), m_base(instanceBase(key)), m_socketPath(instanceFile(m_base, SocketSuffix)),
      m_lock(instanceFile(m_base, LockSuffix))
{
    // A running instance holds its lock for as long as it runs; only a dead
    // owner makes the lock stale, never its age.
    m_lock.setStaleLockTime(0);
}

SingleApplication::~SingleApplication()
{
    // The socket file goes while the lock is still ours, or it could be the
    // socket of the next instance.
    for (const Connection &connection : m_connections) {
        delete connection.notifier;
        ::close(connection.fd);
    }
    if (m_listener >= 0) {
        delete m_listenNotifier;
        ::close(m_listener);
        (void)::unlink(QFile::encodeName(m_socketPath).constData());
    }
    if (m_lockHeld)
        m_lock.unlock();
}

SingleApplication::Delivery SingleApplication::sendMessage(const QString &message, int timeout)
{
    if (m_socketPath.isEmpty() || m_lockHeld)
        return Delivery::NoInstance;

    const QByteArray frame = messageFrame(message);
    const QDeadlineTimer deadline(timeout);
    forever
    {
        if (deliver(frame, deadline))
            return Delivery::Delivered;

        // Nobody took the message. Whoever holds the lock is the instance, or
        // is about to listen, or is busy; without a holder, this process takes over.
        if (m_lock.tryLock(0)) {
            m_lockHeld = true;
            return Delivery::NoInstance;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            DebugLog("SingleApplication: cannot take the instance lock <%s>", qPrintable(m_lock.fileName()));
            return Delivery::NoInstance;
        }
        if (deadline.hasExpired()) {
            DebugLog("SingleApplication: the process holding the instance lock <%s> did not answer",
                     qPrintable(m_lock.fileName()));
            return Delivery::Unanswered;
        }
        QThread::msleep(RetryPauseMs);
    }
}

bool SingleApplication::deliver(const QByteArray &frame, const QDeadlineTimer &deadline) const
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, &address))
        return false;
    const OwnedSocket socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
    if (socket.fd < 0)
        return false;
    // No listener (no file, or the file of a dead one) refuses at once; a
    // listener whose queue is full is asked again on the next round.
    if (::connect(socket.fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS)
        return false;
    if (!waitFor(socket.fd, POLLOUT, deadline))
        return false;
    int failure = 0;
    socklen_t length = sizeof failure;
    if (::getsockopt(socket.fd, SOL_SOCKET, SO_ERROR, &failure, &length) != 0 || failure != 0)
        return false;

    for (qsizetype sent = 0; sent < frame.size();) {
        const ssize_t written = ::send(socket.fd, frame.constData() + sent, size_t(frame.size() - sent),
                                       MSG_NOSIGNAL);
        if (written > 0)
            sent += written;
        else if (written < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else if (!waitFor(socket.fd, POLLOUT, deadline))
            return false;
    }
    // Handed over means acknowledged: a connection that an instance on its
    // way out accepted but never read does not count.
    for (;;) {
        if (!waitFor(socket.fd, POLLIN, deadline))
            return false;
        char reply = 0;
        const ssize_t got = ::recv(socket.fd, &reply, 1, 0);
        if (got == 1)
            return reply == Acknowledge;
        if (got == 0 || (errno != EAGAIN && errno != EINTR))
            return false;
    }
}

void SingleApplication::initialize(bool activate)
{
    if (isInstance())
        return;
    if (m_socketPath.isEmpty()) {
        DebugLog("SingleApplication: no private directory, running without the single-instance check");
        return;
    }
    if (!m_lockHeld)
        m_lockHeld = m_lock.tryLock(0);
    if (!m_lockHeld) {
        DebugLog("SingleApplication: another process holds the instance lock <%s>",
                 qPrintable(m_lock.fileName()));
        return;
    }
    if (!listen()) {
        DebugLog("SingleApplication: cannot listen on <%s>: %s", qPrintable(m_socketPath), std::strerror(errno));
        return;
    }
    m_listenNotifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_listenNotifier, &QSocketNotifier::activated, this, &SingleApplication::acceptConnections);
    if (activate)
        connect(this, &SingleApplication::messageReceived, this, &SingleApplication::activateWindowOnMessage);
}

bool SingleApplication::listen()
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, &address)) {
        errno = ENAMETOOLONG;
        return false;
    }
    // The lock is ours, so a socket file still there was left by a dead instance.
    (void)::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // The directory is the user's alone already; the socket is too.
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        const int failure = errno;
        ::close(fd);
        (void)::unlink(address.sun_path);
        errno = failure;
        return false;
    }
    m_listener = fd;
    return true;
}

void SingleApplication::acceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, fd] { readMessage(fd); });
        m_connections.push_back({fd, notifier, QDeadlineTimer(ConnectionTimeoutMs), QByteArray()});
        // Precise: a coarse timer may come a little early, and would then
        // find nothing expired and not come again.
        QTimer::singleShot(ConnectionTimeoutMs, Qt::PreciseTimer, this, &SingleApplication::dropExpired);
        readMessage(fd);
    }
}

void SingleApplication::readMessage(int fd)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                    [fd](const Connection &connection) { return connection.fd == fd; });
    if (found == m_connections.end())
        return;
    QByteArray &received = found->received;
    // The message begins with its length in bytes (all bits set for a null
    // text); a client announcing more than a message may hold is not waited for.
    const qint64 whole = qint64(sizeof(quint32)) + MaxMessageBytes;
    char chunk[4096];
    bool ended = false; // the client closed its side, or the connection failed
    while (received.size() < whole) {
        const ssize_t got =
            ::recv(fd, chunk, size_t(std::min<qint64>(qint64(sizeof chunk), whole - received.size())), 0);
        if (got > 0) {
            received.append(chunk, qsizetype(got));
        } else if (got == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            ended = true;
            break;
        } else if (errno != EINTR) {
            break; // nothing more for now
        }
    }
    const qint64 announced = announcedLength(received);
    if (announced > MaxMessageBytes) {
        DebugLog("SingleApplication: a message of %lld bytes refused", static_cast<long long>(announced));
        drop(fd);
        return;
    }
    if (announced == NoLength || received.size() < qint64(sizeof(quint32)) + announced) {
        // The rest of the message is still on its way, unless the client has gone.
        if (ended)
            drop(fd);
        return;
    }
    QDataStream in(received);
    in.setVersion(WireVersion);
    QString message;
    in >> message;
    (void)::send(fd, &Acknowledge, 1, MSG_NOSIGNAL);
    drop(fd);
    emit messageReceived(message);
}

void SingleApplication::drop(int fd)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                    [fd](const Connection &connection) { return connection.fd == fd; });
    if (found == m_connections.end())
        return;
    // The notifier may be the one whose signal runs now: it goes later.
    found->notifier->setEnabled(false);
    found->notifier->deleteLater();
    ::close(fd);
    m_connections.erase(found);
}

void SingleApplication::dropExpired()
{
    std::vector<int> expired;
    for (const Connection &connection : m_connections) {
        if (connection.expiry.hasExpired())
            expired.push_back(connection.fd);
    }
    for (const int fd : expired)
        drop(fd);
}

void SingleApplication::answerPending()
{
    if (!isInstance())
        return;
    // The same steps as from the event loop, through calls that do not wait.
    acceptConnections();
    dropExpired();
    std::vector<int> open;
    for (const Connection &connection : m_connections)
        open.push_back(connection.fd);
    for (const int fd : open)
        readMessage(fd);
}

void SingleApplication::activateWindowOnMessage()
{
    QWidget *window = activeModalWidget() ? activeModalWidget() : activeWindow();
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

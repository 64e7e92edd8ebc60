#include "app/singleapplication.h"

#include "base/debuglog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <cerrno>
#include <sys/stat.h>
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
    // Closing removes the socket file; that must happen while the lock is
    // still ours, or it could remove the socket of the next instance.
    m_server.reset();
    if (m_lockHeld)
        m_lock.unlock();
}

SingleApplication::Delivery SingleApplication::sendMessage(const QString &message, int timeout)
{
    if (m_socketPath.isEmpty() || m_lockHeld)
        return Delivery::NoInstance;

    const QDeadlineTimer deadline(timeout);
    forever
    {
        if (deliver(message, deadline))
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

bool SingleApplication::deliver(const QString &message, const QDeadlineTimer &deadline) const
{
    const auto left = [&deadline] {
        return int(deadline.remainingTime());
    };
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(left()))
        return false;

    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out.setVersion(WireVersion);
    out << message;
    socket.write(frame);
    if (!socket.waitForBytesWritten(left()))
        return false;
    // Handed over means acknowledged: a connection that an instance on its
    // way out accepted but never read does not count.
    while (socket.bytesAvailable() == 0) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(left()))
            return false;
    }
    char reply = 0;
    return socket.getChar(&reply) && reply == Acknowledge;
}

void SingleApplication::initialize(bool activate)
{
    if (m_server)
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

    // The lock is ours, so a socket file still there was left by a dead instance.
    QLocalServer::removeServer(m_socketPath);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_socketPath)) {
        DebugLog("SingleApplication: cannot listen on <%s>: %s", qPrintable(m_socketPath),
                 qPrintable(server->errorString()));
        return;
    }
    m_server = std::move(server);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleApplication::acceptConnection);
    if (activate)
        connect(this, &SingleApplication::messageReceived, this, &SingleApplication::activateWindowOnMessage);
}

void SingleApplication::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        // Never more buffered than a whole message and its length.
        socket->setReadBufferSize(MaxMessageBytes + qint64(sizeof(quint32)));
        auto *expiry = new QTimer(socket);
        expiry->setSingleShot(true);
        connect(expiry, &QTimer::timeout, socket, [socket] { drop(socket); });
        expiry->start(ConnectionTimeoutMs);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        if (socket->bytesAvailable() > 0)
            readMessage(socket);
    }
}

void SingleApplication::drop(QLocalSocket *socket)
{
    socket->abort();
    socket->deleteLater();
}

void SingleApplication::readMessage(QLocalSocket *socket)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    // The message begins with its length in bytes (all bits set for a null
    // text); a client announcing more than a message may hold is not waited for.
    quint32 announced = 0;
    if (socket->peek(reinterpret_cast<char *>(&announced), sizeof announced) == sizeof announced) {
        announced = qFromBigEndian(announced);
        if (announced != 0xFFFFFFFFu && announced > MaxMessageBytes) {
            DebugLog("SingleApplication: a message of %u bytes refused", announced);
            drop(socket);
            return;
        }
    }
    QDataStream in(socket);
    in.setVersion(WireVersion);
    in.startTransaction();
    QString message;
    in >> message;
    if (!in.commitTransaction())
        return; // the rest of the message is still on its way
    socket->putChar(Acknowledge);
    socket->flush();
    socket->disconnectFromServer();
    emit messageReceived(message);
}

void SingleApplication::answerPending()
{
    if (!m_server)
        return;
    // The same slots as from the event loop, reached through calls that
    // do not wait.
    (void)m_server->waitForNewConnection(0);
    const QList<QLocalSocket *> connections =
        m_server->findChildren<QLocalSocket *>(Qt::FindDirectChildrenOnly);
    for (QLocalSocket *socket : connections) {
        if (socket->state() != QLocalSocket::ConnectedState)
            continue;
        const auto *expiry = socket->findChild<QTimer *>();
        if (expiry && expiry->remainingTime() == 0)
            drop(socket);
        else
            (void)socket->waitForReadyRead(0);
    }
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

#include "app/singleapplication.h"

#include "base/debuglog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

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

bool SingleApplication::sendMessage(const QString &message, int timeout)
{
    if (m_socketPath.isEmpty() || m_lockHeld)
        return false;

    QElapsedTimer clock;
    clock.start();
    const auto remaining = [&clock, timeout] {
        return qMax(0, timeout - static_cast<int>(clock.elapsed()));
    };
    forever
    {
        if (deliver(message, remaining()))
            return true;

        // Nobody took the message. Whoever holds the lock is the instance or
        // is about to listen; without a holder, this process takes over.
        if (m_lock.tryLock(0)) {
            m_lockHeld = true;
            return false;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            DebugLog("SingleApplication: cannot take the instance lock <%s>", qPrintable(m_lock.fileName()));
            return false;
        }
        if (clock.hasExpired(timeout))
            return false;
        QThread::msleep(RetryPauseMs);
    }
}

bool SingleApplication::deliver(const QString &message, int timeout) const
{
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(timeout))
        return false;

    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out.setVersion(WireVersion);
    out << message;
    socket.write(frame);
    if (!socket.waitForBytesWritten(qMax(0, timeout - static_cast<int>(clock.elapsed()))))
        return false;
    // Handed over means acknowledged: a connection that an instance on its
    // way out accepted but never read does not count.
    while (socket.bytesAvailable() == 0) {
        if (clock.hasExpired(timeout) ||
            !socket.waitForReadyRead(qMax(0, timeout - static_cast<int>(clock.elapsed()))))
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        if (socket->bytesAvailable() > 0)
            readMessage(socket);
    }
}

void SingleApplication::readMessage(QLocalSocket *socket)
{
    QDataStream in(socket);
    in.setVersion(WireVersion);
    in.startTransaction();
    QString message;
    in >> message;
    if (!in.commitTransaction())
        return; // the rest of the message is still on its way
    socket->putChar(Acknowledge);
    socket->flush();
    emit messageReceived(message);
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

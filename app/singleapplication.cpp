#include "app/singleapplication.h"

#include "app/debuglog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char Acknowledge = '\x06';
constexpr int RetryPauseMs = 20;

// A directory only this user can enter: the session's runtime directory
// when there is one, otherwise a 0700 folder of our own under the temp dir.
QString privateDirectory()
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).ownerId() == ::getuid())
        return runtime;

    const QString dir = QDir::tempPath() + QStringLiteral("/velmora-") + QString::number(::getuid());
    ::mkdir(QFile::encodeName(dir).constData(), 0700);
    const QFileInfo info(dir);
    if (!info.isDir() || info.isSymLink() || info.ownerId() != ::getuid())
        DebugLog("SingleApplication: private directory <%s> is not ours", qPrintable(dir));
    return dir;
}

QString instanceName(const QString &key)
{
    const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("velmora-") + QString::fromLatin1(digest.left(32));
}
} // namespace

SingleApplication::SingleApplication(const QString &key, int &argc, char **argv)
    : QApplication(argc, argv),
      m_socketPath(privateDirectory() + QLatin1Char('/') + instanceName(key) + QStringLiteral(".socket")),
      m_lock(privateDirectory() + QLatin1Char('/') + instanceName(key) + QStringLiteral(".lock"))
{
    // A running instance keeps its lock for hours; only a dead owner makes it stale.
    m_lock.setStaleLockTime(0);
}

SingleApplication::~SingleApplication()
{
    if (m_server)
        m_server->close();
    if (m_lockHeld)
        m_lock.unlock();
}

bool SingleApplication::sendMessage(const QString &message, int timeout)
{
    QElapsedTimer clock;
    clock.start();
    forever {
        const int remaining = qMax(0, timeout - static_cast<int>(clock.elapsed()));
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(remaining)) {
            QByteArray frame;
            QDataStream out(&frame, QIODevice::WriteOnly);
            out << message;
            socket.write(frame);
            if (!socket.waitForBytesWritten(remaining))
                return false;
            while (socket.bytesAvailable() == 0) {
                if (!socket.waitForReadyRead(qMax(1, timeout - static_cast<int>(clock.elapsed()))))
                    return false;
            }
            char reply = 0;
            return socket.getChar(&reply) && reply == Acknowledge;
        }

        // Nobody listens. Whoever takes the lock becomes the instance; a
        // live holder that has not started listening yet is waited for.
        if (m_lockHeld || m_lock.tryLock(0)) {
            m_lockHeld = true;
            return false;
        }
        if (clock.elapsed() >= timeout)
            return false;
        QThread::msleep(RetryPauseMs);
    }
}

void SingleApplication::initialize(bool activate)
{
    m_activate = activate;
    if (!m_lockHeld)
        m_lockHeld = m_lock.tryLock(0);
    if (!m_lockHeld) {
        DebugLog("SingleApplication: another process holds the instance lock <%s>",
                 qPrintable(QFileInfo(m_lock.fileName()).fileName()));
        return;
    }
    if (m_server)
        return;

    // The lock is ours, so a socket file still there was left by a dead instance.
    QLocalServer::removeServer(m_socketPath);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleApplication::acceptConnection);
    if (!m_server->listen(m_socketPath))
        DebugLog("SingleApplication: cannot listen: %s", qPrintable(m_server->errorString()));
    if (m_activate)
        connect(this, &SingleApplication::messageReceived, this, &SingleApplication::activateWindowOnMessage);
}

void SingleApplication::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QString message;
            in >> message;
            if (!in.commitTransaction())
                return; // wait for the rest of the message
            socket->putChar(Acknowledge);
            socket->flush();
            emit messageReceived(message);
        });
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

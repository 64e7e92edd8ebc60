#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

// The application object that keeps one running process per key (device
// path and name). The key is hashed into the names of a lock file and a
// local socket in a directory that only this user can enter.
//
// The lock decides who is the instance, the socket only carries messages:
// of two processes started at the same moment only one gets the lock, and
// the other waits for it to listen. A lock whose owner died is stale and is
// taken over, and its owner's socket file is replaced, so a killed instance
// does not block the next start.
//
// The instance answers on its socket from the event loop, and through
// answerPending() wherever it blocks outside it (a device exchange). A
// connection carries one message of at most MaxMessageBytes, whole within
// ConnectionTimeoutMs of its acceptance; it is closed once the message is
// acknowledged, and dropped when it announces more or takes longer. No
// thread of its own serves it.
//
// The socket is a plain local stream socket watched by the event loop: the
// network module of the toolkit would bring a dozen libraries (Kerberos and
// proxy lookup among them) into every start of a program that never goes
// on the network, for about a millisecond each time. The messages are what
// the toolkit's data stream makes of a string, so its local sockets can
// still talk to the instance.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    static constexpr qint64 MaxMessageBytes = 64 * 1024;
    static constexpr int ConnectionTimeoutMs = 5000;

    // What became of a message offered to the running instance.
    enum class Delivery {
        Delivered,  // the running instance took it
        NoInstance, // nobody holds the lock: this process holds it now (or runs without the check)
        Unanswered, // the lock's holder is alive but did not take it in time
    };

    SingleApplication(const QString &key, int &argc, char **argv);
    ~SingleApplication() override;

    // Offers the message to the running instance for the key, again and
    // again, for up to timeout milliseconds or until nobody holds the lock.
    // After NoInstance, initialize() makes this process the instance.
    [[nodiscard]] Delivery sendMessage(const QString &message, int timeout);

    // Answers, without waiting, what the socket holds: a connection to
    // accept, a message come in, a connection past its time. For the
    // places where the program blocks outside its event loop.
    void answerPending();

    // Makes this process the running instance for the key. With activate,
    // a message also raises the active window.
    void initialize(bool activate = true);

    // True while this process is the instance for its key.
    [[nodiscard]] bool isInstance() const { return m_listener >= 0; }

    // Where the lock and the socket of a key live; empty when the user has
    // no private directory, in which case every start runs on its own.
    static QString lockFilePath(const QString &key);
    static QString socketPath(const QString &key);

signals:
    void messageReceived(const QString &message);

private:
    // One accepted connection: what came in so far and when it must end.
    struct Connection
    {
        int fd;
        QSocketNotifier *notifier;
        QDeadlineTimer expiry;
        QByteArray received;
    };

    [[nodiscard]] bool deliver(const QByteArray &frame, const QDeadlineTimer &deadline) const;
    [[nodiscard]] bool listen();
    void acceptConnections();
    void readMessage(int fd);
    void dropExpired();
    void drop(int fd);
    void activateWindowOnMessage();

    const QString m_base;
    const QString m_socketPath;
    QLockFile m_lock;
    bool m_lockHeld = false;
    int m_listener = -1;
    QSocketNotifier *m_listenNotifier = nullptr;
    std::vector<Connection> m_connections;
};

#pragma once

#include <QApplication>
#include <QLockFile>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

// The application object that keeps one running process per key (device
// path and name). The key is hashed into the names of a lock file and a
// local socket in a directory that only this user can enter.
//
// The lock decides who is the instance, the socket only carries messages:
// of two processes started at the same moment only one gets the lock, and
// the other waits for it to listen. A lock whose owner died is stale and is
// taken over, and its owner's socket file is replaced, so a killed instance
// does not block the next start.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    SingleApplication(const QString &key, int &argc, char **argv);
    ~SingleApplication() override;

    // True when a running instance for the key took the message within
    // about timeout milliseconds. False when there is none: this process
    // then holds the lock already, and initialize() makes it the instance.
    [[nodiscard]] bool sendMessage(const QString &message, int timeout);

    // Makes this process the running instance for the key. With activate,
    // a message also raises the active window.
    void initialize(bool activate = true);

    // True while this process is the instance for its key.
    [[nodiscard]] bool isInstance() const { return m_server != nullptr; }

    // Where the lock and the socket of a key live; empty when the user has
    // no private directory, in which case every start runs on its own.
    static QString lockFilePath(const QString &key);
    static QString socketPath(const QString &key);

signals:
    void messageReceived(const QString &message);

private:
    [[nodiscard]] bool deliver(const QString &message, int timeout) const;
    void acceptConnection();
    void readMessage(QLocalSocket *socket);
    void activateWindowOnMessage();

    const QString m_base;
    const QString m_socketPath;
    QLockFile m_lock;
    bool m_lockHeld = false;
    std::unique_ptr<QLocalServer> m_server;
};

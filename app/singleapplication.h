#pragma once

#include <QApplication>
#include <QLockFile>
#include <QString>

#include <memory>

class QLocalServer;

// The application object that keeps one running process per key. The key
// (device path and name) is hashed into a socket and a lock file in a
// directory private to the user. Whoever holds the lock is the instance;
// the lock, not the socket, decides, so two processes started at the same
// moment cannot both win, and a socket left by a crashed instance is simply
// replaced by the next one that takes the (then stale) lock.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    SingleApplication(const QString &key, int &argc, char **argv);
    ~SingleApplication() override;

    // True when a running instance for the key took the message. False when
    // none runs; this process then holds the lock and should initialize().
    [[nodiscard]] bool sendMessage(const QString &message, int timeout);

    // Makes this process the running instance for the key. With activate,
    // a message also raises the active window.
    void initialize(bool activate = true);

    bool isInstance() const { return m_lockHeld; }
    QString socketPath() const { return m_socketPath; }

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();
    void activateWindowOnMessage();

    QString m_socketPath;
    QLockFile m_lock;
    bool m_lockHeld = false;
    bool m_activate = false;
    std::unique_ptr<QLocalServer> m_server;
};

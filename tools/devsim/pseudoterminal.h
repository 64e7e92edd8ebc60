#pragma once

#include <QByteArray>

// The device side of a pseudo-terminal in raw mode, published under a
// symbolic link that clients open as the device node.
class PseudoTerminal
{
public:
    explicit PseudoTerminal(QByteArray linkPath);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens a new terminal pair (closing any old one) and points the link at
    // its node. The link path must be free or hold a simulator's link to a
    // terminal node; anything else there is left alone and open fails.
    bool open();
    void close();
    // Reads what a client left unread in the node, so the next client starts clean.
    void drainClientSide();
    // Sleeps while no client has the node open, until the node changes
    // (a client writes to it, or anything else wakes its side). The master
    // reports hang-up all the time then, so an ordinary poll would return at
    // once; false on an error other than an interruption.
    bool waitWhileHungUp();

    [[nodiscard]] int master() const { return m_master; }
    [[nodiscard]] QByteArray slavePath() const { return m_slavePath; }
    [[nodiscard]] QByteArray error() const { return m_error; }

private:
    bool fail(const char *what);
    bool mayReplaceLink();
    bool publishLink();

    QByteArray m_linkPath;
    QByteArray m_slavePath;
    QByteArray m_error;
    int m_master = -1;
    int m_changes = -1; // edge-triggered epoll set holding only the master
};

#pragma once

#include "pseudoterminal.h"
#include "requestsplitter.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonObject>

#include <csignal>
#include <optional>

// What the simulated device does, set from the command line.
struct SimulatorOptions
{
    QByteArray description;          // the document served for DATA
    QByteArray linkPath;             // where the node is published
    QByteArray recordPath;           // one JSON object per received unit; empty for none
    bool apply = false;              // accepted changes update the served CURRENT values
    int status = 0;                  // status byte of the reply to a change document
    int delayMs = 0;                 // wait before each reply
    int split = 0;                   // reply in pieces of this many bytes (0: at once)
    bool shortReply = false;         // answer ALL? with 5 bytes
    std::optional<quint32> announce; // length announced for ALL?, instead of the real one
    bool silent = false;             // read, never answer
    int failFrom = -1;               // answer this many requests, then none (-1: all)
    bool deaf = false;               // never read
    int hangupAfter = -1;            // close the terminal after this many bytes of a reply
};

// Serves the framed protocol on a pseudo-terminal until stop is set.
class Simulator
{
public:
    explicit Simulator(SimulatorOptions options);

    bool start();
    [[nodiscard]] QByteArray error() const { return m_error; }
    [[nodiscard]] QByteArray slavePath() const { return m_terminal.slavePath(); }
    int run(const volatile std::sig_atomic_t &stop);

private:
    struct Reply
    {
        QByteArray bytes;
        qsizetype sent = 0;
        qint64 due = 0; // on the simulator's clock, in milliseconds
    };

    void readInput();
    void handle(const RequestSplitter::Unit &unit);
    QByteArray answer(const RequestSplitter::Unit &unit, QJsonObject &record);
    void applyChanges(const QByteArray &changes);
    void record(const QJsonObject &object);
    void sendDue();
    [[nodiscard]] bool stillHungUp() const;
    void clientLeft();
    int pollTimeout(qint64 now) const;

    SimulatorOptions m_options;
    PseudoTerminal m_terminal;
    RequestSplitter m_splitter;
    std::optional<Reply> m_pending;
    QElapsedTimer m_clock;
    bool m_clientPresent = false;
    int m_requests = 0; // received so far, for failFrom
    QByteArray m_error;
};

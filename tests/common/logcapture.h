#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the trace lines written while it lives (the time prefix cut off),
// so a test can check what the program reported. Other messages go on to the
// handler that was installed before.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    // Whole lines as written, time prefix included.
    QStringList rawLines() const { return m_raw; }
    // Lines without the "hh:mm:ss.zzz> " prefix.
    QStringList lines() const;
    bool contains(const QString &text) const;
    int count(const QString &text) const;
    void clear() { m_raw.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList m_raw;
    QtMessageHandler m_previous = nullptr;
    LogCapture *m_outer = nullptr;
};

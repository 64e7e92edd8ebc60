#include "logcapture.h"

#include <QRegularExpression>

namespace {
LogCapture *activeCapture = nullptr;
QtMessageHandler previousHandler = nullptr;
} // namespace

LogCapture::LogCapture()
{
    m_outer = activeCapture;
    activeCapture = this;
    m_previous = qInstallMessageHandler(&LogCapture::handler);
    if (!m_outer)
        previousHandler = m_previous;
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    activeCapture = m_outer;
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && activeCapture) {
        activeCapture->m_raw.append(message);
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

QStringList LogCapture::lines() const
{
    static const QRegularExpression prefix(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> "));
    QStringList result;
    for (QString line : m_raw)
        result.append(line.remove(prefix));
    return result;
}

bool LogCapture::contains(const QString &text) const
{
    return count(text) > 0;
}

int LogCapture::count(const QString &text) const
{
    int n = 0;
    for (const QString &line : m_raw)
        n += line.contains(text) ? 1 : 0;
    return n;
}

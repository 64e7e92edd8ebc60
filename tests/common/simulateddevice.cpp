#include "simulateddevice.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QThread>

#include <csignal>

namespace {
constexpr int PollStepMs = 5;
}

SimulatedDevice::SimulatedDevice()
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
}

SimulatedDevice::~SimulatedDevice()
{
    if (!isRunning())
        return;
    if (!stop()) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

QString SimulatedDevice::program()
{
    return QStringLiteral(VELMORA_DEVSIM);
}

bool SimulatedDevice::start(const QString &descriptionPath, const QStringList &options, int timeoutMs)
{
    m_problem.clear();
    QStringList arguments = options;
    const qsizetype record = options.indexOf(QStringLiteral("--record"));
    m_recordPath = record >= 0 && record + 1 < options.size()
                       ? options.at(record + 1)
                       : m_dir.filePath(QStringLiteral("record.jsonl"));
    if (record < 0)
        arguments << QStringLiteral("--record") << m_recordPath;
    arguments << descriptionPath << devicePath();
    m_process.start(program(), arguments);

    // Ready when it has printed the terminal's path and the link leads there.
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_process.canReadLine() || m_process.waitForReadyRead(PollStepMs)) {
            const QString slave = QString::fromLocal8Bit(m_process.readLine()).trimmed();
            if (QFileInfo(devicePath()).canonicalFilePath() == QFileInfo(slave).canonicalFilePath())
                return true;
            m_problem = QStringLiteral("devsim printed %1, the link leads elsewhere").arg(slave);
            return false;
        }
        if (m_process.state() == QProcess::NotRunning) {
            m_problem =
                QStringLiteral("devsim ended before it was ready (exit code %1)").arg(m_process.exitCode());
            return false;
        }
    }
    m_problem = QStringLiteral("devsim was not ready within %1 ms").arg(timeoutMs);
    return false;
}

bool SimulatedDevice::stop(int timeoutMs)
{
    if (!isRunning())
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(timeoutMs)) {
        m_problem = QStringLiteral("devsim did not end on SIGTERM");
        return false;
    }
    const bool clean = m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    const bool linkGone = !QFileInfo(devicePath()).isSymLink();
    if (!clean || !linkGone)
        m_problem = QStringLiteral("devsim ended with code %1, link %2")
                        .arg(m_process.exitCode())
                        .arg(linkGone ? "removed" : "left behind");
    return clean && linkGone;
}

QList<QJsonObject> SimulatedDevice::records() const
{
    QList<QJsonObject> result;
    QFile file(m_recordPath);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            result.append(QJsonDocument::fromJson(line).object());
    }
    return result;
}

bool SimulatedDevice::waitForRecords(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (records().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(PollStepMs);
    }
    return true;
}

QString SimulatedDevice::errorText()
{
    return m_problem + QStringLiteral("\n") + QString::fromLocal8Bit(m_process.readAllStandardError());
}

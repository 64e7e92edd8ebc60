#include "programrun.h"

ProgramRun::ProgramRun(const QProcessEnvironment &environment)
{
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
}

ProgramRun::ProgramRun() : ProgramRun(offscreenEnvironment())
{}

ProgramRun::~ProgramRun()
{
    kill();
}

QString ProgramRun::stagedBinDir()
{
    return QStringLiteral(VELMORA_STAGE_DIR "/bin");
}

QString ProgramRun::stagedProgram()
{
    return stagedBinDir() + QStringLiteral("/velmora");
}

QProcessEnvironment ProgramRun::offscreenEnvironment(const QString &runtimeDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!runtimeDir.isEmpty())
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    return environment;
}

QProcessEnvironment ProgramRun::displaylessEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

void ProgramRun::start(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    m_error.clear();
    m_output.clear();
    if (!workingDirectory.isEmpty())
        m_process.setWorkingDirectory(workingDirectory);
    m_process.start(program, arguments);
}

bool ProgramRun::waitForExit(int timeoutMs)
{
    const bool finished = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    errorOutput();
    standardOutput();
    return finished;
}

void ProgramRun::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}

QString ProgramRun::errorOutput()
{
    m_error += m_process.readAllStandardError();
    return QString::fromLocal8Bit(m_error);
}

QString ProgramRun::standardOutput()
{
    m_output += m_process.readAllStandardOutput();
    return QString::fromLocal8Bit(m_output);
}

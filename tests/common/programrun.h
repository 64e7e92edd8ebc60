#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of a program (usually the staged velmora) whose standard error
// the test reads. The process never outlives the object: it is killed and
// reaped on destruction, so no test leaves a process or a box behind.
class ProgramRun
{
public:
    ProgramRun(); // on the offscreen platform
    explicit ProgramRun(const QProcessEnvironment &environment);
    ~ProgramRun();
    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    // The staged program and its directory.
    static QString stagedProgram();
    static QString stagedBinDir();
    // The caller's environment on the offscreen platform; with a runtime
    // directory, single-instance files go there instead of the user's own.
    static QProcessEnvironment offscreenEnvironment(const QString &runtimeDir = QString());
    // No display at all: neither a platform choice nor an X or Wayland server.
    static QProcessEnvironment displaylessEnvironment();

    void start(const QString &program, const QStringList &arguments,
               const QString &workingDirectory = QString());
    [[nodiscard]] bool waitForExit(int timeoutMs = 10000);
    void kill();

    // Everything the program wrote to standard error so far.
    QString errorOutput();
    // Everything the program wrote to standard output so far.
    QString standardOutput();
    [[nodiscard]] bool hasWritten(const QString &text) { return errorOutput().contains(text); }
    [[nodiscard]] bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    [[nodiscard]] int exitCode() const { return m_process.exitCode(); }
    [[nodiscard]] QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    [[nodiscard]] qint64 processId() const { return m_process.processId(); }

private:
    QProcess m_process;
    QByteArray m_error;
    QByteArray m_output;
};

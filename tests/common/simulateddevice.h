#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The simulated device (tools/devsim) as a child process of a test:
//
//   SimulatedDevice device;
//   QVERIFY2(device.start(dataPath("sample_mfp.xml"), {"--apply"}), qPrintable(device.errorText()));
//   VLMClient client(device.devicePath());
//   ...
//   QCOMPARE(device.records().first().value("request").toString(), "ALL?");
//
// Each object has a private directory holding the device link and the
// record file; the process never outlives the object.
class SimulatedDevice
{
public:
    SimulatedDevice();
    ~SimulatedDevice();
    SimulatedDevice(const SimulatedDevice &) = delete;
    SimulatedDevice &operator=(const SimulatedDevice &) = delete;

    // The simulator program of this build.
    static QString program();

    // Starts serving the description with the given devsim options and
    // waits until the device node can be opened. A --record option of the
    // caller's replaces the private record file.
    [[nodiscard]] bool start(const QString &descriptionPath, const QStringList &options = {},
                             int timeoutMs = 10000);
    // Sends SIGTERM and waits; true when it ended cleanly and removed its link.
    bool stop(int timeoutMs = 10000);

    // The path to open as the device node (a symbolic link to the terminal).
    [[nodiscard]] QString devicePath() const { return m_dir.filePath(QStringLiteral("device")); }
    [[nodiscard]] QString recordPath() const { return m_recordPath; }
    [[nodiscard]] bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    [[nodiscard]] qint64 processId() const { return m_process.processId(); }

    // Every unit the device received so far, one object each, in order.
    [[nodiscard]] QList<QJsonObject> records() const;
    // Waits until at least count units were recorded.
    [[nodiscard]] bool waitForRecords(int count, int timeoutMs = 5000) const;
    // What went wrong in start or stop, with the simulator's standard error.
    [[nodiscard]] QString errorText();

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_recordPath;
    QString m_problem;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class AppSettings;
class SingleApplication;

// What the command line says, once the toolkit has removed its options.
struct StartOptions
{
    QString programDir;
    QString devPath;
    QString devName;
    bool useLocalDescription = false;      // use_local_vlm
    bool saveSentDocument = false;         // save_vlm_send
    bool saveDescription = false;          // save_vlm
    bool saveLocalizedDescription = false; // save_new_vlm
};

// The single-instance key: device path and device name as typed.
[[nodiscard]] QString InstanceKey(const char *devPath, const char *devName);

// Reads the option words from the raw command line (anywhere in it, the
// program path included), the device path and name from the arguments left
// after the toolkit's options, and finds the program directory.
[[nodiscard]] StartOptions ReadStartOptions(const AppSettings &settings, int argc, char **argv);

// Moves the process into the directory of the program path as given,
// reporting the directory before and after.
void EnterProgramDirectory(const QByteArray &argv0);

// Offers the key to the instance running for the same device, for up to
// boundMs. The exit status when this process is to end: 0 when the instance
// took it, 1 when an instance holds the device but never answered (the user
// is told so); none when this process is the instance now and goes on.
[[nodiscard]] std::optional<int> HandOver(SingleApplication &app, const QString &key, int boundMs);

// Builds the controller and gets the device's settings; returns the exit
// status of the run. whileWaiting runs while a fetch waits for the device.
[[nodiscard]] int RunSettings(const StartOptions &options, const std::function<void()> &whileWaiting = {});

// The whole program: command line, single instance, program directory,
// options, controller, settings. It all runs on the one thread, and no
// other is started: the translator may end the process on a damaged entry,
// and what static teardown then meets must not be in use elsewhere.
[[nodiscard]] int VelmoraMain(int argc, char **argv);

#pragma once

#include <QByteArray>
#include <QString>

class AppSettings;

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

// Builds the controller and gets the device's settings; returns the exit
// status of the run.
[[nodiscard]] int RunSettings(const StartOptions &options);

// The whole program: command line, single instance, program directory,
// options, controller, settings.
[[nodiscard]] int VelmoraMain(int argc, char **argv);

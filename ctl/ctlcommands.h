#pragma once

#include <QString>

class CtlSession;
struct CtlOptions;

class QTextStream;

// Exit statuses of velmoractl.
enum CtlExit {
    ExitDone = 0,
    ExitUsage = 1,         // a wrong command line, or a file that cannot be read or written
    ExitRefused = 2,       // a value was refused; nothing was sent
    ExitNoDescription = 3, // no description could be had
    ExitNotTaken = 4,      // the device did not take the change
    ExitBusy = 5,          // another program held the device for the whole exchange
};

// Runs the command of options on an open session, writing its result to
// out. Problems are shown through the program's message boxes.
[[nodiscard]] int RunCtlCommand(CtlSession &session, const CtlOptions &options, QTextStream &out);

// Shows a problem the way the window shows its errors.
void ReportCtlError(const QString &text, const QString &reason = QString());

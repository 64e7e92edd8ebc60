#pragma once

#include <QString>
#include <QStringList>

// What a velmoractl command line asks for:
//   velmoractl <devPath> COMMAND [arguments] [--local FILE] [--dry-run|--check] [--diff] [--json] [--trace]
// Options may stand anywhere after the program name; "--" ends them.
struct CtlOptions
{
    QString devPath;
    QString command;
    QStringList arguments;
    QString localFile;   // with --local: the description file instead of the device
    bool dryRun = false; // --dry-run or --check
    bool diff = false;
    bool json = false;
    bool trace = false;
    bool help = false;
    bool version = false;
    // Set when the command line cannot be run; says what is wrong with it.
    QString error;
};

// Reads the arguments after the program name. A wrong command line comes
// back with error set; --help and --version need nothing else.
[[nodiscard]] CtlOptions ParseCtlArguments(const QStringList &arguments);

// The text of --help.
[[nodiscard]] QString CtlUsage();

#include "ctl/ctloptions.h"

#include <QCoreApplication>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("velmoractl", text);
}

struct CommandShape
{
    const char *name;
    int minArguments;
    int maxArguments; // -1: any number
    bool takesDryRun;
};

const CommandShape Commands[] = {
    {"list", 0, 0, false}, {"get", 1, -1, false},    {"set", 1, -1, true},
    {"press", 1, 1, true}, {"export", 1, -1, false}, {"import", 1, 1, true},
};

const CommandShape *findCommand(const QString &name)
{
    for (const CommandShape &shape : Commands) {
        if (name == QLatin1String(shape.name))
            return &shape;
    }
    return nullptr;
}

// Checks what only the whole command line can tell.
QString checkShape(const CtlOptions &options)
{
    if (options.devPath.isEmpty() || options.command.isEmpty())
        return translated("a device path and a command are needed");
    const CommandShape *shape = findCommand(options.command);
    if (!shape)
        return translated("unknown command '%1'").arg(options.command);
    const int count = int(options.arguments.size());
    if (count < shape->minArguments || (shape->maxArguments >= 0 && count > shape->maxArguments))
        return translated("wrong number of arguments for '%1'").arg(options.command);
    if (options.dryRun && !shape->takesDryRun)
        return translated("'%1' has no --dry-run").arg(options.command);
    if (options.diff && options.command != QLatin1String("import"))
        return translated("only import has --diff");
    // A description file has no device behind it to send to.
    if (shape->takesDryRun && !options.dryRun && !options.localFile.isEmpty())
        return translated("with --local nothing is sent: '%1' needs --dry-run").arg(options.command);
    return QString();
}

} // namespace

CtlOptions ParseCtlArguments(const QStringList &arguments)
{
    CtlOptions options;
    QStringList positional;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--")) || argument == QLatin1String("--")) {
            if (argument == QLatin1String("--") && !optionsEnded)
                optionsEnded = true;
            else
                positional.append(argument);
        } else if (argument == QLatin1String("--help")) {
            options.help = true;
        } else if (argument == QLatin1String("--version")) {
            options.version = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument == QLatin1String("--dry-run") || argument == QLatin1String("--check")) {
            options.dryRun = true;
        } else if (argument == QLatin1String("--diff")) {
            options.diff = true;
        } else if (argument == QLatin1String("--trace")) {
            options.trace = true;
        } else if (argument == QLatin1String("--local")) {
            if (++i >= arguments.size()) {
                options.error = translated("--local needs a file");
                return options;
            }
            options.localFile = arguments.at(i);
        } else {
            options.error = translated("unknown option '%1'").arg(argument);
            return options;
        }
    }
    if (options.help || options.version)
        return options;

    options.devPath = positional.value(0);
    options.command = positional.value(1);
    options.arguments = positional.mid(2);
    options.error = checkShape(options);
    return options;
}

QString CtlUsage()
{
    return translated(
        "Usage: velmoractl <devPath> COMMAND [arguments] [--local FILE] [--json] [--trace]\n"
        "\n"
        "Reads and changes the settings of a device through the same rules as the\n"
        "settings window, without a display.\n"
        "\n"
        "Values in text output escape backslash, tab, line feed and carriage return as\n"
        "\\\\, \\t, \\n and \\r; --json gives them exactly. set and import take them literally.\n"
        "\n"
        "Commands:\n"
        "  list                     every setting in the window's order: id, kind, value,\n"
        "                           options or range, and whether the rules disable or hide it\n"
        "  get ID...                the current values, one per line\n"
        "  set ID=VALUE... [--dry-run]\n"
        "                           changes settings and sends them (--dry-run prints the\n"
        "                           change document instead)\n"
        "  press ID [--dry-run]     presses a device button\n"
        "  export FILE [ID...]      writes the values as a change document ('-': standard output):\n"
        "                           those named, or every setting that takes a value\n"
        "  export --json FILE [ID...]\n"
        "                           writes them as one JSON object {\"ID\": \"VALUE\", ...}; without\n"
        "                           names it leaves out what tells devices apart: addresses,\n"
        "                           masks, edit boxes and dial numbers (name them to have them)\n"
        "  import FILE [--check] [--diff] [--json]\n"
        "                           brings the device to the values of such a file (JSON when it\n"
        "                           starts with '{'), in the device's order, sending only values\n"
        "                           that differ; settings the file leaves out stay as they are.\n"
        "                           --check (or --dry-run) sends nothing, --diff shows before\n"
        "                           and after, --json prints one object: changed, sent, diff,\n"
        "                           refused (every refused value and why), error\n"
        "\n"
        "Options:\n"
        "  --local FILE             works on the description in FILE instead of the device\n"
        "                           (nothing is sent: set, import and press need --dry-run)\n"
        "  --json                   prints list, get and import as one JSON document\n"
        "  --trace                  writes the diagnostic trace to standard error\n"
        "  --help, --version\n"
        "\n"
        "Exit status: 0 done, 1 usage, 2 a value refused (nothing sent), 3 no description,\n"
        "4 the device did not take the change, 5 the device is busy (another program held it\n"
        "for the whole exchange).\n");
}

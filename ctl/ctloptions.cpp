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
    {"list", 0, 0, false}, {"get", 1, -1, false},   {"set", 1, -1, true},
    {"press", 1, 1, true}, {"export", 1, 1, false}, {"import", 1, 1, true},
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
        } else if (argument == QLatin1String("--dry-run")) {
            options.dryRun = true;
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
        "Commands:\n"
        "  list                     every setting in the window's order: id, kind, value,\n"
        "                           options or range, and whether the rules disable or hide it\n"
        "  get ID...                the current values, one per line\n"
        "  set ID=VALUE... [--dry-run]\n"
        "                           changes settings and sends them (--dry-run prints the\n"
        "                           change document instead)\n"
        "  press ID [--dry-run]     presses a device button\n"
        "  export FILE              writes every value as a change document ('-': standard output)\n"
        "  import FILE [--dry-run]  applies such a document like set, sending only what differs\n"
        "\n"
        "Options:\n"
        "  --local FILE             works on the description in FILE instead of the device\n"
        "                           (nothing is sent: set, import and press need --dry-run)\n"
        "  --json                   prints list and get as one JSON document\n"
        "  --trace                  writes the diagnostic trace to standard error\n"
        "  --help, --version\n"
        "\n"
        "Exit status: 0 done, 1 usage, 2 a value refused (nothing sent), 3 no description,\n"
        "4 the device did not take the change.\n");
}

// A simulated device for tests, benchmarks and the demo: serves a
// description file over the framed command protocol on a pseudo-terminal.
//
//   devsim [options] <description.xml> <link>
#include "simulator.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

#include <climits>
#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

void installStopHandler()
{
    struct sigaction action = {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the wait in the main loop returns and sees the request.
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int usage(const QCommandLineParser &parser, const QString &problem)
{
    std::fprintf(stderr, "devsim: %s\n%s", qPrintable(problem), qPrintable(parser.helpText()));
    return 2;
}

// A non-negative whole number option, or nullopt when it is malformed.
std::optional<qint64> number(const QCommandLineParser &parser, const QString &name, qint64 fallback)
{
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok, 0);
    return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated device: serves a description on a pseudo-terminal.");
    parser.addHelpOption();
    parser.addPositionalArgument("description", "The description document to serve.");
    parser.addPositionalArgument("link", "Where to publish the device node (a symbolic link).");
    parser.addOptions({
        {"record", "Append one JSON object per received unit to <file>.", "file"},
        {"apply", "Accepted changes update the served CURRENT values."},
        {"status", "Refuse changes with status <n>.", "n"},
        {"delay-ms", "Wait <n> ms before each reply.", "n"},
        {"split", "Reply in pieces of <n> bytes with a short pause between.", "n"},
        {"short", "Answer ALL? with 5 bytes."},
        {"announce", "Announce a description length of <n> bytes.", "n"},
        {"silent", "Read requests but never answer."},
        {"fail-from", "Answer the first <n> requests, then stay silent.", "n"},
        {"deaf", "Never read."},
        {"hangup-after", "Close the terminal after <n> bytes of a reply.", "n"},
    });
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments))
        return usage(parser, parser.errorText());
    if (parser.isSet("help")) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    if (parser.positionalArguments().size() != 2)
        return usage(parser, "a description file and a link path are needed");

    SimulatorOptions options;
    QFile file(parser.positionalArguments().at(0));
    if (!file.open(QIODevice::ReadOnly))
        return usage(parser, "cannot read " + file.fileName() + ": " + file.errorString());
    options.description = file.readAll();
    options.linkPath = parser.positionalArguments().at(1).toLocal8Bit();
    options.recordPath = parser.value("record").toLocal8Bit();
    options.apply = parser.isSet("apply");
    options.shortReply = parser.isSet("short");
    options.silent = parser.isSet("silent");
    options.deaf = parser.isSet("deaf");
    const auto status = number(parser, "status", 0);
    const auto delay = number(parser, "delay-ms", 0);
    const auto split = number(parser, "split", 0);
    const auto hangup = number(parser, "hangup-after", -1);
    const auto announce = number(parser, "announce", 0);
    const auto failFrom = number(parser, "fail-from", -1);
    if (!failFrom || *failFrom > INT_MAX || !status || *status > 255 || !delay || *delay > 3600000 ||
        !split || *split > INT_MAX || !hangup || *hangup > INT_MAX || !announce || *announce > 0xFFFFFFFF)
        return usage(parser, "a number option is out of range");
    options.status = int(*status);
    options.delayMs = int(*delay);
    options.split = int(*split);
    options.hangupAfter = parser.isSet("hangup-after") ? int(*hangup) : -1;
    options.failFrom = int(*failFrom);
    if (parser.isSet("announce"))
        options.announce = quint32(*announce);

    installStopHandler();
    Simulator simulator(std::move(options));
    if (!simulator.start()) {
        std::fprintf(stderr, "devsim: %s\n", simulator.error().constData());
        return 1;
    }
    std::printf("%s\n", simulator.slavePath().constData());
    std::fflush(stdout);
    return simulator.run(stopRequested);
}

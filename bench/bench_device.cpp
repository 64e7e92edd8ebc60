// How the device link performs on the simulated device. It fetches a
// generated 1 MiB description with getSpecification and reads the same
// 1 MiB from the same pseudo-terminal with plain blocking reads, and times
// a 4 KiB command exchange against a bare open, write of its frame,
// blocking read of its reply and close. Goals: the fetch moves at least half
// the raw throughput, and the exchange takes at most 3x the bare one (the
// medians; the two sides' runs alternate). The trace goes to /dev/null
// while timing.
#include "common/simulateddevice.h"
#include "device/vlmclient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int DescriptionSize = 1024 * 1024;
constexpr int FetchRuns = 21;
constexpr int Exchanges = 1000;
constexpr int PayloadSize = 4096;
FILE *traceSink = nullptr;

void traceToNull(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    std::fprintf(type == QtDebugMsg ? traceSink : stderr, "%s\n", qPrintable(message));
}

QByteArray generatedDescription()
{
    QByteArray text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n<PrinterSettingsInfo>\n<General>\n";
    for (int i = 0; text.size() < DescriptionSize - 200; ++i)
        text += "<S" + QByteArray::number(i) +
                " TYPE=\"INTEGER\" STRING=\"IDS_S\" CURRENT=\"5\" MIN=\"1\" MAX=\"99\"/>\n";
    text += "</General>\n</PrinterSettingsInfo>\n</root>\n";
    return text + QByteArray(DescriptionSize - text.size(), '\n');
}

QByteArray frame(const QByteArray &payload)
{
    return VLMClient::frameHeader(quint32(payload.size())) + payload;
}

// The bare exchange: no polling, no budget, no trace.
bool bareExchange(const QString &node, const QByteArray &request, char *reply, qsizetype length)
{
    const int fd = ::open(node.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, request.constData(), size_t(request.size())) == request.size();
    for (qsizetype got = 0; ok && got < length;) {
        const ssize_t n = ::read(fd, reply + got, size_t(length - got));
        ok = n > 0;
        got += n;
    }
    ::close(fd);
    return ok;
}

// Medians of the run times of both sides in microseconds; 0 when a run
// failed. The runs alternate, so both sides meet the same load of the
// machine (and the same state of the simulator) rather than one side a
// quiet stretch and the other a busy one.
std::pair<double, double> medians(int runs, const std::function<bool()> &bare,
                                  const std::function<bool()> &program)
{
    std::vector<double> times[2];
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        for (int side = 0; side < 2; ++side) {
            clock.start();
            if (!(side == 0 ? bare() : program()))
                return {0, 0};
            times[side].push_back(double(clock.nsecsElapsed()) / 1000.0);
        }
    }
    for (auto &side : times)
        std::nth_element(side.begin(), side.begin() + runs / 2, side.end());
    return {times[0][size_t(runs / 2)], times[1][size_t(runs / 2)]};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    traceSink = std::fopen("/dev/null", "w");
    QTemporaryDir dir;
    const QString path = dir.filePath("large.xml");
    QFile file(path);
    const QByteArray description = generatedDescription();
    if (!file.open(QIODevice::WriteOnly) || file.write(description) != description.size())
        return 2;
    file.close();
    SimulatedDevice device;
    if (!device.start(path, {"--record", "/dev/null"})) {
        std::fprintf(stderr, "%s\n", qPrintable(device.errorText()));
        return 2;
    }
    qInstallMessageHandler(traceToNull);

    auto client = [&] {
        auto vlm = std::make_unique<VLMClient>(device.devicePath());
        vlm->setReadPollInterval(200);
        vlm->setCommandTimeout(3000);
        return vlm;
    };
    QByteArray buffer(DescriptionSize, '\0');
    const QByteArray dataRequest = frame("DATA");
    const auto [raw, fetch] = medians(
        FetchRuns,
        [&] {
            return bareExchange(device.devicePath(), dataRequest, buffer.data(), DescriptionSize) &&
                   buffer == description;
        },
        [&] { return client()->getSpecification() == description; });

    const QByteArray payload(PayloadSize, 'x');
    const QByteArray request = frame(payload);
    char reply[8];
    const auto [bare, exchange] = medians(
        Exchanges, [&] { return bareExchange(device.devicePath(), request, reply, 8); },
        [&] { return client()->command(payload.constData(), PayloadSize, 8).size() == 8; });
    qInstallMessageHandler(nullptr);

    if (raw <= 0 || fetch <= 0 || bare <= 0 || exchange <= 0) {
        std::printf("A run against the simulated device failed.\n");
        return 2;
    }
    const double mib = double(DescriptionSize) / (1024.0 * 1024.0);
    const double throughputRatio = raw / fetch;
    const double exchangeRatio = exchange / bare;
    std::printf("1 MiB, blocking reads:      %8.0f us (%.0f MiB/s)\n", raw, mib / (raw / 1e6));
    std::printf("1 MiB, getSpecification:    %8.0f us (%.0f MiB/s)\n", fetch, mib / (fetch / 1e6));
    std::printf("fetch / raw throughput:     %.2f (goal >= 0.5)\n", throughputRatio);
    std::printf("4 KiB bare exchange:        %8.1f us (median of %d)\n", bare, Exchanges);
    std::printf("4 KiB command exchange:     %8.1f us (median of %d)\n", exchange, Exchanges);
    std::printf("command / bare exchange:    %.2fx (goal <= 3x)\n", exchangeRatio);
    const bool met = throughputRatio >= 0.5 && exchangeRatio <= 3.0;
    std::printf("%s\n", met ? "Goals met." : "Goals NOT met.");
    return met ? 0 : 1;
}

// How the settings window scales: for generated descriptions of 5,000 and
// 50,000 settings, already parsed, it times filling the dialog (favourites and
// tree, connections, self-checks) with the trace formatted and written to
// /dev/null as in a run, against filling a bare QTreeWidget with the same
// number of two-column rows; medians of five runs. Goals: the dialog at most
// 15x the bare fill, and its growth from 5,000 to 50,000 settings at most
// 1.5x the bare fill's own growth (the fitted columns must not make a large
// description cost more per row than a small one). Then it
// selects settings one after another (the previous control deleted, the new
// one created) and holds the slowest selection within one frame (16 ms).
#include "base/usermessage.h"
#include "bench/benchsupport.h"
#include "controller/iconfigurator.h"
#include "model/element.h"
#include "model/nodedesc.h"
#include "model/settingsparser.h"
#include "window/settingsdialog.h"
#include "window/settingsviewitem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

FILE *devNull = nullptr;

// The trace as a run writes it, only into /dev/null.
void traceToDevNull(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    const QByteArray line = message.toLocal8Bit();
    std::fprintf(type == QtDebugMsg ? devNull : stderr, "%s\n", line.constData());
}

class ParsedDescription : public IConfigurator
{
public:
    explicit ParsedDescription(int count) : m_parser(cachedDescription(count))
    {
        if (!m_parser.parse())
            std::fprintf(stderr, "the generated description did not parse\n");
    }
    NodeDesc *loadSettings() override { return m_parser.root(); }

private:
    SettingsParser m_parser;
};

ParsedDescription &parsed(int count)
{
    static std::map<int, std::unique_ptr<ParsedDescription>> descriptions;
    auto &slot = descriptions[count];
    if (!slot)
        slot = std::make_unique<ParsedDescription>(count);
    return *slot;
}

void BM_BareTreeFill(benchmark::State &state)
{
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<QTreeWidget>();
        tree->setColumnCount(2);
        state.ResumeTiming();
        // Same shape as the dialog's tree: 50 rows to a category.
        QList<QTreeWidgetItem *> categories;
        QTreeWidgetItem *category = nullptr;
        for (int i = 0; i < count; ++i) {
            if (i % 50 == 0) {
                category = new QTreeWidgetItem();
                category->setText(0, QStringLiteral("IDS_CATEGORY"));
                categories.append(category);
            }
            auto *item = new QTreeWidgetItem(category);
            item->setText(0, QStringLiteral("IDS_S%1").arg(i));
            item->setText(1, QStringLiteral("5"));
        }
        tree->addTopLevelItems(categories);
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}

void BM_DialogFill(benchmark::State &state)
{
    ParsedDescription &description = parsed(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<SettingsDialog>();
        state.ResumeTiming();
        dialog->initialize(&description, QStringLiteral("Bench printer"));
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

// A fill's time depends on what the heap holds from the fills before it, so
// each is repeated and its median taken.
BENCHMARK(BM_BareTreeFill)
    ->Arg(5000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5);
BENCHMARK(BM_DialogFill)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5);

struct SelectionTimes
{
    double medianMs = 0;
    double maxMs = 0;
};

// Each kind of control is made once first; then 100 selections are timed.
SelectionTimes timeSelections()
{
    ParsedDescription &description = parsed(5000);
    SettingsDialog dialog;
    dialog.initialize(&description, QStringLiteral("Bench printer"));
    dialog.show();
    std::vector<QTreeWidgetItem *> settings;
    for (QTreeWidgetItemIterator it(dialog.paramList); *it; ++it) {
        SettingsViewItem *row = SettingsViewItem::from(*it);
        if (row && row->element())
            settings.push_back(row);
    }
    for (int i = 0; i < 50 && i < int(settings.size()); ++i)
        dialog.paramList->setCurrentItem(settings[size_t(i)]);

    std::vector<double> times;
    for (int i = 0; i < 100; ++i) {
        QTreeWidgetItem *row = settings[size_t((i * 37 + 100) % int(settings.size()))];
        QElapsedTimer timer;
        timer.start();
        dialog.paramList->setCurrentItem(row);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    devNull = std::fopen("/dev/null", "w");
    if (!devNull)
        return 1;
    qInstallMessageHandler(traceToDevNull);
    // The load check names the generated settings whose rules changed their
    // values in one box; a box left open would stop the run, so it is
    // answered at once, as a user would close it.
    (void)UserMessage::setAnswerer([](const UserMessage::Request &) { return QMessageBox::Ok; });

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double bare5 = timeOf(reporter, "BM_BareTreeFill/5000");
    const double bare50 = timeOf(reporter, "BM_BareTreeFill/50000");
    const double fill5 = timeOf(reporter, "BM_DialogFill/5000");
    const double fill50 = timeOf(reporter, "BM_DialogFill/50000");
    if (bare5 <= 0 || bare50 <= 0 || fill5 <= 0 || fill50 <= 0) {
        std::printf("\nRatios need all four benchmarks (run without a filter).\n");
        return 0;
    }
    const SelectionTimes selection = timeSelections();
    const double ratio5 = fill5 / bare5;
    const double ratio50 = fill50 / bare50;
    const double growth = fill50 / fill5;
    const double bareGrowth = bare50 / bare5;
    std::printf(
        "\ndialog fill / bare tree fill:  5,000 settings %.2fx, 50,000 settings %.2fx (goal <= 15x)\n",
        ratio5, ratio50);
    std::printf(
        "50,000 / 5,000 settings: dialog fill %.2fx, bare fill %.2fx, %.2fx the bare growth (goal <= 1.5x)\n",
        growth, bareGrowth, growth / bareGrowth);
    std::printf("selecting a setting, 100 selections: median %.3f ms, max %.3f ms (goal: max <= 16 ms)\n",
                selection.medianMs, selection.maxMs);
    const bool met =
        ratio5 <= 15.0 && ratio50 <= 15.0 && growth <= 1.5 * bareGrowth && selection.maxMs <= 16.0;
    std::printf("%s\n", met ? "Goals met." : "Goals NOT met.");
    std::fclose(devNull);
    return met ? 0 : 1;
}

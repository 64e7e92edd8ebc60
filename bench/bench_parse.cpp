// How the description parser scales: for generated descriptions of 5,000 and
// 50,000 settings it times Qt's DOM parse alone and the DOM parse followed by
// SettingsParser::parse on the same text, then prints the ratios the parser is
// held to: parse at most 4x the bare DOM parse, and for 10x the settings a
// growth of at most 1.5x the bare DOM parse's own growth on the same texts
// (past the processor's caches the DOM parse itself grows faster than 10x;
// only the excess over it is the parser's). It also reads descriptions with
// 4,000 and 16,000 rules that all test one setting: wiring that many
// dependents must stay linear (4x the rules at most 5x the time). And it
// times the localization pass alone against a translation document that
// holds every key (at most 10x the parse, and its growth again at most 1.5x
// the bare parse's), and prints the document's load and save beside it. The
// trace is dropped while timing.
#include "bench/benchsupport.h"
#include "i18n/translator.h"
#include "model/element.h"
#include "model/settingsparser.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

void dropTrace(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

void BM_DomSetContent(benchmark::State &state)
{
    const QString &text = cachedDescription(int(state.range(0)));
    for (auto _ : state) {
        auto document = std::make_unique<QDomDocument>();
        benchmark::DoNotOptimize(static_cast<bool>(document->setContent(text)));
        // Tearing down is not parsing; both benchmarks leave it out alike.
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.counters["settings"] = double(state.range(0));
}

// The whole read of a description of settings; with rulesOnOneSetting, its
// argument is the number of rules on one setting instead.
void setContentAndParse(benchmark::State &state, bool rulesOnOneSetting)
{
    const int count = int(state.range(0)) + (rulesOnOneSetting ? 1 : 0);
    const QString &text = cachedDescription(count, rulesOnOneSetting);
    for (auto _ : state) {
        auto parser = std::make_unique<SettingsParser>();
        (void)parser->setContent(text);
        if (!parser->parse() || !parser->findElement(QStringLiteral("S1"))) {
            state.SkipWithError("the generated description did not parse");
            break;
        }
        state.PauseTiming();
        if (rulesOnOneSetting &&
            parser->findElement(QStringLiteral("S0"))->dependentElements().size() != count - 1) {
            state.SkipWithError("the rules were not wired to their setting");
            break;
        }
        parser.reset();
        state.ResumeTiming();
    }
    state.counters[rulesOnOneSetting ? "rules" : "settings"] = double(state.range(0));
}

void BM_SetContentAndParse(benchmark::State &state)
{
    setContentAndParse(state, false);
}

void BM_RulesOnOneSetting(benchmark::State &state)
{
    setContentAndParse(state, true);
}

// A translation document with a title and a description for every key of the
// generated description, in the order the pass looks for them.
const QString &translationFile(int count)
{
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto found = files.find(count);
    if (found != files.end())
        return found->second;
    SettingsParser parser;
    (void)parser.setContent(cachedDescription(count));
    (void)parser.parse();
    Translator collector(nullptr);
    (void)parser.translate(collector);
    // Every collected entry gets a text other than its key.
    QDomNodeList values = collector.document().elementsByTagName(QStringLiteral("Value"));
    for (int i = 0; i < values.count(); ++i) {
        QDomElement value = values.item(i).toElement();
        value.firstChild().setNodeValue(QStringLiteral("Text ") + value.text());
    }
    const QString path = dir.filePath(QStringLiteral("vlm_%1.xml").arg(count));
    (void)collector.writeTo(path);
    return files.emplace(count, path).first->second;
}

void BM_Translate(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QString &path = translationFile(count);
    for (auto _ : state) {
        state.PauseTiming();
        auto parser = std::make_unique<SettingsParser>();
        (void)parser->setContent(cachedDescription(count));
        (void)parser->parse();
        QFile file(path);
        auto translator = std::make_unique<Translator>(&file);
        state.ResumeTiming();
        if (!parser->translate(*translator) || !translator->isValid()) {
            state.SkipWithError("the translation pass failed");
            break;
        }
        // Building and tearing down the model and the document are not the pass.
        state.PauseTiming();
        translator.reset();
        parser.reset();
        state.ResumeTiming();
    }
    state.counters["settings"] = double(count);
}

void BM_TranslationLoadAndSave(benchmark::State &state)
{
    const QString &path = translationFile(int(state.range(0)));
    for (auto _ : state) {
        QFile file(path);
        Translator translator(&file);
        if (!translator.writeTo(path)) {
            state.SkipWithError("the translation file could not be written");
            break;
        }
    }
    state.counters["settings"] = double(state.range(0));
}

// Several iterations even of the large case, so one slow run does not decide the ratios.
BENCHMARK(BM_DomSetContent)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SetContentAndParse)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RulesOnOneSetting)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Translate)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TranslationLoadAndSave)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(dropTrace);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double dom5 = timeOf(reporter, "BM_DomSetContent/5000");
    const double dom50 = timeOf(reporter, "BM_DomSetContent/50000");
    const double parse5 = timeOf(reporter, "BM_SetContentAndParse/5000");
    const double parse50 = timeOf(reporter, "BM_SetContentAndParse/50000");
    const double rules4 = timeOf(reporter, "BM_RulesOnOneSetting/4000");
    const double rules16 = timeOf(reporter, "BM_RulesOnOneSetting/16000");
    const double translate5 = timeOf(reporter, "BM_Translate/5000");
    const double translate50 = timeOf(reporter, "BM_Translate/50000");
    if (dom5 <= 0 || dom50 <= 0 || parse5 <= 0 || parse50 <= 0 || rules4 <= 0 || rules16 <= 0 ||
        translate5 <= 0 || translate50 <= 0) {
        std::printf("\nRatios need all the benchmarks (run without a filter).\n");
        return 0;
    }
    const double ratio5 = parse5 / dom5;
    const double ratio50 = parse50 / dom50;
    const double growth = parse50 / parse5;
    const double domGrowth = dom50 / dom5;
    const double growthExcess = growth / domGrowth;
    std::printf(
        "\nsetContent+parse / setContent:  5,000 settings %.2fx, 50,000 settings %.2fx (goal <= 4x)\n",
        ratio5, ratio50);
    std::printf("setContent+parse, 50,000 / 5,000 settings: %.2fx; setContent alone: %.2fx; "
                "excess %.2fx (goal <= 1.5x)\n",
                growth, domGrowth, growthExcess);
    const double ruleGrowth = rules16 / rules4;
    std::printf("setContent+parse, 16,000 / 4,000 rules on one setting: %.2fx (goal <= 5x)\n", ruleGrowth);
    const double passRatio5 = translate5 / parse5;
    const double passRatio50 = translate50 / parse50;
    const double passGrowth = translate50 / translate5;
    std::printf("translate / setContent+parse:  5,000 settings %.2fx, 50,000 settings %.2fx (goal <= 10x)\n",
                passRatio5, passRatio50);
    // The pass walks the same tree past the same caches: its growth is held
    // to the bare parse's growth as the parser's is.
    const double passExcess = passGrowth / domGrowth;
    std::printf(
        "translate, 50,000 / 5,000 settings: %.2fx; excess over setContent alone %.2fx (goal <= 1.5x)\n",
        passGrowth, passExcess);
    const bool met = ratio5 <= 4.0 && ratio50 <= 4.0 && growthExcess <= 1.5 && ruleGrowth <= 5.0 &&
                     passRatio5 <= 10.0 && passRatio50 <= 10.0 && passExcess <= 1.5;
    std::printf("%s\n", met ? "Goals met." : "Goals NOT met.");
    return met ? 0 : 1;
}

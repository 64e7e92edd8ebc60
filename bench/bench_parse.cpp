// How the description parser scales: for generated descriptions of 5,000 and
// 50,000 settings it times Qt's DOM parse alone and the DOM parse followed by
// SettingsParser::parse on the same text, then prints the ratios the parser is
// held to: parse at most 4x the bare DOM parse, and 10x the settings at most
// 12x the time. It also times the localization pass alone against a
// translation document that holds every key (at most 10x the parse, and again
// 10x the settings at most 12x the time), and prints the document's load and
// save beside it. The trace is dropped while timing.
#include "app/translator.h"
#include "description/settingsparser.h"

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

// Settings per category; the last GroupSize of each category sit in a group.
constexpr int CategorySize = 50;
constexpr int GroupSize = 5;

QString setting(int i)
{
    const QString id = QStringLiteral("S%1").arg(i);
    switch (i % 12) {
    case 0:
        return QStringLiteral("<%1 TYPE=\"INTEGER\" STRING=\"IDS_%1\" CURRENT=\"5\" FACTORY=\"1\" MIN=\"1\" "
                              "MAX=\"99\" STEP=\"1\"/>")
            .arg(id);
    case 1:
        return QStringLiteral(
                   "<%1 TYPE=\"FLOAT\" STRING=\"IDS_%1\" CURRENT=\"2.5\" FACTORY=\"2.5\" MIN=\"0\" "
                   "MAX=\"10\" STEP=\"0.25\"/>")
            .arg(id);
    case 2:
        return QStringLiteral("<%1 TYPE=\"SLIDER\" STRING=\"IDS_%1\" CURRENT=\"0\" FACTORY=\"0\" MIN=\"-3\" "
                              "MAX=\"3\" STEP=\"1\" COLORMARKER=\"#00ffff\"/>")
            .arg(id);
    case 3:
        return QStringLiteral("<%1 TYPE=\"COMBOBOX\" STRING=\"IDS_%1\" CURRENT=\"B\" FACTORY=\"A\">"
                              "<A STRING=\"IDS_A\"/><B STRING=\"IDS_B\"/><C STRING=\"IDS_C\"/></%1>")
            .arg(id);
    case 4:
        return QStringLiteral("<%1 TYPE=\"CHECKBOX\" STRING=\"IDS_%1\" CURRENT=\"Off\" FACTORY=\"Off\">"
                              "<Off/><On/></%1>")
            .arg(id);
    case 5:
        return QStringLiteral("<%1 TYPE=\"RADIOBUTTON\" STRING=\"IDS_%1\" CURRENT=\"Left\" FACTORY=\"Left\">"
                              "<Left/><Centre/><Right/></%1>")
            .arg(id);
    case 6:
        return QStringLiteral("<%1 TYPE=\"PAPERSIZE\" STRING=\"IDS_%1\" CURRENT=\"A4\" FACTORY=\"A4\">"
                              "<A4 MAXTOPMARGIN=\"20\" MAXLEFTMARGIN=\"20\" LINESPORTRAIT=\"66\" "
                              "LINESLANDSCAPE=\"48\"/><A5 MAXTOPMARGIN=\"15\" MAXLEFTMARGIN=\"15\" "
                              "LINESPORTRAIT=\"46\" LINESLANDSCAPE=\"33\"/></%1>")
            .arg(id);
    case 7:
        return QStringLiteral(
                   "<%1 TYPE=\"EDITBOX\" STRING=\"IDS_%1\" CURRENT=\"Office 2\" FACTORY=\"\" MAX=\"32\"/>")
            .arg(id);
    case 8:
        return QStringLiteral(
                   "<%1 TYPE=\"DIALEDITBOX\" STRING=\"IDS_%1\" CURRENT=\"+49 30 1234\" MAX=\"20\"/>")
            .arg(id);
    case 9:
        return QStringLiteral(
                   "<%1 TYPE=\"IPADDRESS\" STRING=\"IDS_%1\" CURRENT=\"10.0.0.2\" FACTORY=\"0.0.0.0\"/>")
            .arg(id);
    case 10:
        return QStringLiteral("<%1 TYPE=\"SUBNETMASK\" STRING=\"IDS_%1\" CURRENT=\"255.0.0.0\" "
                              "FACTORY=\"0.0.0.0\"/>")
            .arg(id);
    default:
        return QStringLiteral(
                   "<%1 TYPE=\"STATICTEXT\" STRING=\"IDS_%1\" CURRENT=\"42\" TEXTLABEL=\"%s pages\"/>")
            .arg(id);
    }
}

// One rule per ten settings, each naming settings that exist, of every kind.
QString rule(int owner, int count)
{
    const QString id = QStringLiteral("S%1").arg(owner);
    const QString tested = QStringLiteral("S%1").arg((owner + 1) % count);
    const QString source = QStringLiteral("S%1").arg((owner + 3) % count);
    switch ((owner / 10) % 4) {
    case 0:
        return QStringLiteral("<%1><Disable><Condition><%2 CURRENT=\"5\"/></Condition></Disable></%1>")
            .arg(id, tested);
    case 1:
        return QStringLiteral("<%1><Enable SELFCHECKED=\"false\"><Condition><%2 CURRENT=\"1\" IS=\"NOT\"/>"
                              "</Condition></Enable></%1>")
            .arg(id, tested);
    case 2:
        return QStringLiteral("<%1><Hide><Condition><%2 CURRENT=\"3\" IS=\"GREAT\"/></Condition>"
                              "<Condition><%3/></Condition></Hide></%1>")
            .arg(id, tested, source);
    default:
        return QStringLiteral(
                   "<%1><Constraint><Condition><%2/></Condition><Value><A/><B/></Value><Attributes>"
                   "<Attribute NAME=\"max\" VALUE=\"%3#current\" REF=\"TRUE\"/>"
                   "<RefAttribute NAME=\"%3#min\" VALUE=\"1\"/></Attributes></Constraint></%1>")
            .arg(id, tested, source);
    }
}

QString description(int count)
{
    QString text;
    text.reserve(count * 200);
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n<PrinterSettingsInfo "
                           "STRING=\"IDS_SETTINGS\">\n");
    for (int first = 0; first < count; first += CategorySize) {
        text += QStringLiteral("<Category%1 STRING=\"IDS_CATEGORY\">\n").arg(first / CategorySize);
        const int last = qMin(first + CategorySize, count);
        const int grouped = qMax(first, last - GroupSize);
        for (int i = first; i < grouped; ++i)
            text += setting(i) + QLatin1Char('\n');
        if (grouped < last) {
            text +=
                QStringLiteral("<Group%1 TYPE=\"GROUP\" STRING=\"IDS_GROUP\">\n").arg(first / CategorySize);
            for (int i = grouped; i < last; ++i)
                text += setting(i) + QLatin1Char('\n');
            text += QStringLiteral("</Group%1>\n").arg(first / CategorySize);
        }
        text += QStringLiteral("</Category%1>\n").arg(first / CategorySize);
    }
    text += QStringLiteral("</PrinterSettingsInfo>\n<Dependencies>\n");
    for (int owner = 0; owner < count; owner += 10)
        text += rule(owner, count) + QLatin1Char('\n');
    text += QStringLiteral("</Dependencies>\n</root>\n");
    return text;
}

const QString &cachedDescription(int count)
{
    static std::map<int, QString> texts;
    auto found = texts.find(count);
    if (found == texts.end())
        found = texts.emplace(count, description(count)).first;
    return found->second;
}

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

void BM_SetContentAndParse(benchmark::State &state)
{
    const QString &text = cachedDescription(int(state.range(0)));
    for (auto _ : state) {
        auto parser = std::make_unique<SettingsParser>();
        (void)parser->setContent(text);
        if (!parser->parse() || !parser->findElement(QStringLiteral("S1"))) {
            state.SkipWithError("the generated description did not parse");
            break;
        }
        state.PauseTiming();
        parser.reset();
        state.ResumeTiming();
    }
    state.counters["settings"] = double(state.range(0));
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
BENCHMARK(BM_Translate)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TranslationLoadAndSave)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Prints as usual and keeps each run's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &reports) override
    {
        for (const Run &run : reports) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, double> times;
};

// By name and argument; the run name may carry options after them.
double timeOf(const RatioReporter &reporter, const std::string &name)
{
    for (const auto &[runName, time] : reporter.times) {
        if (runName == name || runName.rfind(name + "/", 0) == 0)
            return time;
    }
    return 0.0;
}

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
    const double translate5 = timeOf(reporter, "BM_Translate/5000");
    const double translate50 = timeOf(reporter, "BM_Translate/50000");
    if (dom5 <= 0 || dom50 <= 0 || parse5 <= 0 || parse50 <= 0 || translate5 <= 0 || translate50 <= 0) {
        std::printf("\nRatios need all four benchmarks (run without a filter).\n");
        return 0;
    }
    const double ratio5 = parse5 / dom5;
    const double ratio50 = parse50 / dom50;
    const double growth = parse50 / parse5;
    std::printf(
        "\nsetContent+parse / setContent:  5,000 settings %.2fx, 50,000 settings %.2fx (goal <= 4x)\n",
        ratio5, ratio50);
    std::printf("setContent+parse, 50,000 / 5,000 settings: %.2fx (goal <= 12x)\n", growth);
    const double passRatio5 = translate5 / parse5;
    const double passRatio50 = translate50 / parse50;
    const double passGrowth = translate50 / translate5;
    std::printf("translate / setContent+parse:  5,000 settings %.2fx, 50,000 settings %.2fx (goal <= 10x)\n",
                passRatio5, passRatio50);
    std::printf("translate, 50,000 / 5,000 settings: %.2fx (goal <= 12x)\n", passGrowth);
    const bool met = ratio5 <= 4.0 && ratio50 <= 4.0 && growth <= 12.0 && passRatio5 <= 10.0 &&
                     passRatio50 <= 10.0 && passGrowth <= 12.0;
    std::printf("%s\n", met ? "Goals met." : "Goals NOT met.");
    return met ? 0 : 1;
}

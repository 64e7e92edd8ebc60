#include "bench/benchsupport.h"

#include <algorithm>

#include <map>

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

// Every setting but the first has one rule testing the first, so wiring
// gives that one setting count - 1 dependents.
QString ruleOnFirst(int owner)
{
    return QStringLiteral("<S%1><Disable><Condition><S0 CURRENT=\"5\"/></Condition></Disable></S%1>")
        .arg(owner);
}

QString description(int count, bool allOnFirst)
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
    if (allOnFirst) {
        for (int owner = 1; owner < count; ++owner)
            text += ruleOnFirst(owner) + QLatin1Char('\n');
    } else {
        for (int owner = 0; owner < count; owner += 10)
            text += rule(owner, count) + QLatin1Char('\n');
    }
    text += QStringLiteral("</Dependencies>\n</root>\n");
    return text;
}

} // namespace

const QString &cachedDescription(int count, bool allOnFirst)
{
    static std::map<std::pair<int, bool>, QString> texts;
    const std::pair key{count, allOnFirst};
    auto found = texts.find(key);
    if (found == texts.end())
        found = texts.emplace(key, description(count, allOnFirst)).first;
    return found->second;
}

void RatioReporter::ReportRuns(const std::vector<Run> &reports)
{
    for (const Run &run : reports) {
        if (!run.error_occurred && run.run_type == Run::RT_Iteration)
            times[run.benchmark_name()].push_back(run.GetAdjustedRealTime());
    }
    ConsoleReporter::ReportRuns(reports);
}

double timeOf(const RatioReporter &reporter, const std::string &name)
{
    for (const auto &[runName, runs] : reporter.times) {
        if (runName != name && runName.rfind(name + "/", 0) != 0)
            continue;
        std::vector<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        const size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    return 0.0;
}

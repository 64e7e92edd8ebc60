// How a change travels through the rules of other settings: chains and
// diamonds reach every dependent as before, while rules that lead back to
// each other and chains of hostile length are cut with one trace line.
#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "model/concreteelement.h"
#include "valuefixtures.h"

namespace {

// A rule of owner on tested: owner offers only the value tested has, or with
// flips only the other one.
struct Rule
{
    int owner;
    int tested;
    bool flips = false;
};

// Settings S0..S<count-1>, lists offering X and Y and set to X, with rules.
std::unique_ptr<SettingsParser> parsed(int count, const QList<Rule> &rules)
{
    QString settings;
    for (int i = 0; i < count; ++i)
        settings +=
            QStringLiteral("<S%1 TYPE=\"COMBOBOX\" CURRENT=\"X\" FACTORY=\"X\"><X/><Y/></S%1>").arg(i);
    QString records;
    for (const Rule &rule : rules) {
        QString constraints;
        for (const QString value : {"X", "Y"}) {
            const QString offered = rule.flips ? (value == "X" ? "Y" : "X") : value;
            constraints += QStringLiteral("<Constraint><Condition><S%1 CURRENT=\"%2\"/></Condition>"
                                          "<Value><%3/></Value></Constraint>")
                               .arg(rule.tested)
                               .arg(value, offered);
        }
        records += QStringLiteral("<S%1>%2</S%1>").arg(rule.owner).arg(constraints);
    }
    auto parser = std::make_unique<SettingsParser>(
        QStringLiteral("<root><PrinterSettingsInfo><C>%1</C></PrinterSettingsInfo>"
                       "<Dependencies>%2</Dependencies></root>")
            .arg(settings, records));
    (void)parser->parse();
    return parser;
}

// Each setting follows the one before it; closed, S0 follows the last one the
// other way round, so the rules have no stable state.
std::unique_ptr<SettingsParser> parsedChain(int count, bool closed)
{
    QList<Rule> rules;
    for (int i = 1; i < count; ++i)
        rules.append({i, i - 1});
    if (closed)
        rules.append({0, count - 1, true});
    return parsed(count, rules);
}

QString currentOf(const SettingsParser &parser, int i)
{
    auto *setting = findAs<ConcreteElement>(parser, QStringLiteral("S%1").arg(i));
    return setting ? setting->current() : QStringLiteral("#missing");
}

} // namespace

class TestPropagation : public QObject
{
    Q_OBJECT
    ScratchDir m_dir;

private slots:
    void changeOfTheFirstSetting_data()
    {
        // lastFollowing: the last setting that takes the change, -1 in a cycle.
        addColumns<int, bool, int, QString>({"count", "closed", "lastFollowing", "cut"});
        addRow("chain of 100 reaches its end", 100, false, 99, "");
        // S1000 takes the change but its re-check is the 1001st level.
        addRow("chain of 1,500 cut at 1,000 levels", 1500, false, 1000,
               "from S0 to S1000 nest deeper than 1000 levels; stopped there");
        addRow("two settings naming each other", 2, true, -1,
               "of S0, S1 lead back to each other; stopped after 3 rounds");
        addRow("cycle of three", 3, true, -1,
               "of S0, S1, S2 lead back to each other; stopped after 3 rounds");
    }
    void changeOfTheFirstSetting()
    {
        QFETCH(int, count);
        QFETCH(bool, closed);
        QFETCH(int, lastFollowing);
        QFETCH(QString, cut);
        auto parser = parsedChain(count, closed);
        auto *first = findAs<ConcreteElement>(*parser, "S0");
        QVERIFY(first);
        LogCapture log;
        first->setCurrent("Y");
        first->checkDependencies();
        if (lastFollowing >= 0)
            QCOMPARE(currentOf(*parser, lastFollowing), QString("Y"));
        if (lastFollowing >= 0 && lastFollowing + 1 < count)
            QCOMPARE(currentOf(*parser, lastFollowing + 1), QString("X"));
        const QString prefix = QStringLiteral("Element::checkDependencies(): the rules ");
        QCOMPARE(log.count(prefix), cut.isEmpty() ? 0 : 1);
        if (!cut.isEmpty())
            QVERIFY(log.lines().contains(prefix + cut));
        // A cut leaves nothing behind: the next change goes as far again.
        log.clear();
        first->setCurrent(currentOf(*parser, 1) == "X" ? "Y" : "X");
        first->checkDependencies();
        QCOMPARE(log.count(prefix), cut.isEmpty() ? 0 : 1);
    }

    void diamondSeesBothChanges()
    {
        // S1 and S2 both follow S0; a setting watching S1 and S2 is asked to
        // re-check by each, in order.
        auto parser = parsed(3, {{1, 0}, {2, 0}});
        CountingDependent watcher("Watcher");
        parser->findElement("S1")->addDependentElement(&watcher);
        parser->findElement("S2")->addDependentElement(&watcher);
        QCOMPARE(parser->findElement("S0")->dependentElements().size(), 2);

        auto *first = findAs<ConcreteElement>(*parser, "S0");
        first->setCurrent("Y");
        first->checkDependencies();
        QCOMPARE(currentOf(*parser, 1), QString("Y"));
        QCOMPARE(currentOf(*parser, 2), QString("Y"));
        QCOMPARE(watcher.sources, QStringList({"S1", "S2"}));
    }
};

QTEST_MAIN(TestPropagation)
#include "tst_propagation.moc"

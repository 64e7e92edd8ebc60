#include "common/logcapture.h"
#include "description/papersizeparameter.h"
#include "elements/attribute.h"
#include "elements/listelement.h"
#include "elements/refattribute.h"
#include "valuefixtures.h"

#include <QTest>

#include <memory>

namespace {

// A paper-size list whose options carry different top margins; "Legal" is
// not offered at the moment.
std::unique_ptr<ListElement> paperList(const QString &current)
{
    auto list = std::make_unique<ListElement>("PAPERSIZE", nullptr, nullptr);
    list->setId("PaperSize");
    for (const auto &[id, margin, visible] :
         {std::tuple{"A4", "12", true}, std::tuple{"Letter", "10", true}, std::tuple{"Legal", "8", false}}) {
        auto *option = new PaperSizeParameter(id);
        option->setMaxTopMargin(margin);
        option->setVisible(visible);
        list->addParameter(option);
    }
    list->setCurrent(current);
    return list;
}

void makeReference(Attribute &attribute, IElement *source, const QStringList &path)
{
    attribute.isReference = true;
    attribute.source = source;
    attribute.path = path;
}

} // namespace

class TestAttribute : public QObject
{
    Q_OBJECT

private slots:
    void plainWrites()
    {
        TestValueElement copies("Copies", "1");
        LogCapture log;
        QVERIFY(Attribute("MAX", "99").apply(&copies));
        QCOMPARE(copies.max(), QString("99"));
        QVERIFY(log.contains("Attribute::apply() \"MAX\" for Copies to [99]"));
        // A property the class does not declare is refused, not added.
        QVERIFY(!Attribute("Colour", "red").apply(&copies));
        QVERIFY(copies.dynamicPropertyNames().isEmpty());
        // The base element declares temp, and an empty value stays non-null.
        Element button("BUTTON", nullptr, nullptr);
        QVERIFY(Attribute("Temp", "").apply(&button));
        QVERIFY(!button.temp().isNull());
    }

    void referenceThroughSelectedOption()
    {
        TestValueElement lines("Lines", "66");
        TestValueElement copies("Copies", "1");
        Attribute oneStep("max", "Lines#current");
        makeReference(oneStep, &lines, {"CURRENT"});
        QVERIFY(oneStep.apply(&copies));
        QCOMPARE(copies.max(), QString("66"));

        // Property names match in any case, on the option as well.
        auto paper = paperList("Letter");
        Attribute twoStep("Max", "PaperSize#current#MaxTopMargin");
        makeReference(twoStep, paper.get(), {"current", "MaxTopMargin"});
        QVERIFY(twoStep.apply(&copies));
        QCOMPARE(copies.max(), QString("10"));
    }

    void referenceFailures_data()
    {
        // source: 0 none, 1 plain setting, 2 paper list; message: empty when nothing is logged
        addColumns<int, QString, QStringList, QString>({"source", "current", "path", "message"});
        const QString error = "Attribute::apply(): Error: referenced attribute ";
        const QString noOption =
            error + "has dept 2 but can't get specified parameter\n\tcontrol id: PaperSize";
        addRow("no source", 0, "A4", QStringList{"current"}, error + "doesn't have source element");
        addRow("one step, undeclared on source", 1, "A4", QStringList{"factory"}, QString(""));
        addRow("one step, dynamic property on source", 1, "A4", QStringList{"extra"}, QString(""));
        addRow("two steps from a non-list", 1, "A4", QStringList{"current", "maxtopmargin"},
               error + "has dept 2 but is used for not ListElement");
        addRow("first property undeclared", 2, "A4", QStringList{"selected", "maxtopmargin"},
               error + "has dept 2 but can't get first property");
        addRow("value not among options", 2, "B5", QStringList{"current", "maxtopmargin"},
               noOption + "\n\tvalue: B5\n");
        addRow("selected option not offered", 2, "Legal", QStringList{"current", "maxtopmargin"},
               noOption + "\n\tvalue: Legal\n");
        addRow("option lacks the property", 2, "A4", QStringList{"current", "maxbottommargin"},
               error + "has dept 2 but can't get parameter's attribute");
        addRow("three steps", 2, "A4", QStringList{"current", "maxtopmargin", "id"}, QString(""));
    }
    void referenceFailures()
    {
        QFETCH(int, source);
        QFETCH(QString, message);
        QFETCH(QString, current);
        auto paper = paperList(current);
        TestValueElement plain("PaperSize", current);
        plain.setProperty("extra", QString("7"));
        IElement *sources[] = {nullptr, &plain, paper.get()};
        TestValueElement margin("TopMargin", "3");
        margin.setMax("20");
        Attribute attribute("max", "x");
        QFETCH(QStringList, path);
        makeReference(attribute, sources[source], path);

        LogCapture log;
        QVERIFY(!attribute.apply(&margin));
        QCOMPARE(margin.max(), QString("20"));
        if (message.isEmpty())
            QCOMPARE(log.lines(), QStringList());
        else
            QVERIFY2(log.contains(message), qPrintable(log.lines().join('|')));
    }

    void refAttributeTargets_data()
    {
        // target: 0 none, 1 Pages, 2 the paper list
        addColumns<int, QStringList, bool, QString, QString>(
            {"target", "targetPath", "applied", "copiesMax", "pagesMax"});
        addRow("no target: the element itself", 0, QStringList(), true, "7", "");
        addRow("target and property", 1, QStringList{"max"}, true, "", "7");
        addRow("target without property", 1, QStringList(), false, "", "");
        addRow("two-step target path", 2, QStringList{"current", "maxtopmargin"}, false, "", "");
    }
    void refAttributeTargets()
    {
        QFETCH(int, target);
        TestValueElement copies("Copies", "1");
        TestValueElement pages("Pages", "1");
        auto paper = paperList("A4");
        IElement *targets[] = {nullptr, &pages, paper.get()};
        RefAttribute attribute("max", "7");
        attribute.target = targets[target];
        QFETCH(QStringList, targetPath);
        attribute.targetPath = targetPath;

        QTEST(attribute.apply(&copies), "applied");
        QTEST(copies.max(), "copiesMax");
        QTEST(pages.max(), "pagesMax");
        QVERIFY(pages.dynamicPropertyNames().isEmpty());
        QCOMPARE(paper->parameters().front()->property("maxtopmargin").toString(), QString("12"));
    }
};

QTEST_MAIN(TestAttribute)
#include "tst_attribute.moc"

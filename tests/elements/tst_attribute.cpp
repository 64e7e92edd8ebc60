#include "common/logcapture.h"
#include "common/testelements.h"
#include "description/papersizeparameter.h"
#include "elements/attribute.h"
#include "elements/refattribute.h"

#include <QTest>

#include <memory>

namespace {

// A paper-size list whose options carry different top margins; "Legal" is
// not offered at the moment.
std::unique_ptr<TestListElement> paperList(const QString &current)
{
    auto list = std::make_unique<TestListElement>("PaperSize", current);
    const struct
    {
        const char *id;
        const char *margin;
        bool visible;
    } sizes[] = {{"A4", "12", true}, {"Letter", "10", true}, {"Legal", "8", false}};
    for (const auto &size : sizes) {
        auto option = std::make_unique<PaperSizeParameter>(size.id);
        option->setMaxTopMargin(size.margin);
        option->setVisible(size.visible);
        list->options.push_back(std::move(option));
    }
    return list;
}

std::unique_ptr<Attribute> reference(const QString &name, IElement *source, const QStringList &path)
{
    auto attribute =
        std::make_unique<Attribute>(name, source ? source->id() + "#" + path.join('#') : QString());
    attribute->isReference = true;
    attribute->source = source;
    attribute->path = path;
    return attribute;
}

} // namespace

class TestAttribute : public QObject
{
    Q_OBJECT

private slots:
    void plainNameIsLowerCased();
    void undeclaredPropertyFailsWithoutTrace();
    void writesTempOfAnyElement();
    void oneEntryReference();
    void oneEntryReferenceToMissingPropertyFailsSilently();
    void referenceWithoutSource();
    void twoEntryThroughSelectedOption();
    void twoEntryFailures_data();
    void twoEntryFailures();
    void otherPathLengthsFail();
    void refAttributeWithoutTargetActsOnElement();
    void refAttributeWithOneEntryTargetPath();
    void refAttributeWithoutTargetPathDoesNothing();
    void refAttributeWithTwoEntryTargetPathDoesNothing();
};

void TestAttribute::plainNameIsLowerCased()
{
    TestValueElement copies("Copies", "1");
    Attribute attribute("MAX", "99");
    LogCapture log;
    QVERIFY(attribute.apply(&copies));
    QCOMPARE(copies.max(), QString("99"));
    QVERIFY(log.contains("Attribute::apply() \"MAX\" for Copies to [99]"));
}

void TestAttribute::undeclaredPropertyFailsWithoutTrace()
{
    TestValueElement copies("Copies", "1");
    Attribute attribute("Colour", "red");
    QVERIFY(!attribute.apply(&copies));
    QVERIFY(copies.dynamicPropertyNames().isEmpty());
    QVERIFY(!copies.property("colour").isValid());
}

void TestAttribute::writesTempOfAnyElement()
{
    // The base element declares only temp; that is enough for a plain write.
    Element button("BUTTON", nullptr, nullptr);
    button.setId("Reset");
    Attribute attribute("Temp", "");
    QVERIFY(attribute.apply(&button));
    QVERIFY(!button.temp().isNull());
    QVERIFY(button.temp().isEmpty());
}

void TestAttribute::oneEntryReference()
{
    TestValueElement lines("Lines", "66");
    TestValueElement copies("Copies", "1");
    const auto attribute = reference("max", &lines, {"CURRENT"});
    LogCapture log;
    QVERIFY(attribute->apply(&copies));
    QCOMPARE(copies.max(), QString("66"));
    QVERIFY(log.contains("Attribute::apply() \"max\" for Copies to [66]"));
}

void TestAttribute::oneEntryReferenceToMissingPropertyFailsSilently()
{
    TestValueElement lines("Lines", "66");
    TestValueElement copies("Copies", "1");
    copies.setMax("5");
    // This setting declares no "factory"; a dynamic property on the source
    // must not be found either.
    lines.setProperty("extra", QString("7"));
    for (const QString &property : {QString("factory"), QString("extra")}) {
        const auto attribute = reference("max", &lines, {property});
        LogCapture log;
        QVERIFY(!attribute->apply(&copies));
        QVERIFY(log.lines().isEmpty());
        QCOMPARE(copies.max(), QString("5"));
    }
}

void TestAttribute::referenceWithoutSource()
{
    TestValueElement copies("Copies", "1");
    const auto attribute = reference("max", nullptr, {"current"});
    LogCapture log;
    QVERIFY(!attribute->apply(&copies));
    QVERIFY(log.contains("Attribute::apply(): Error: referenced attribute doesn't have source element"));
    QCOMPARE(copies.max(), QString(""));
}

void TestAttribute::twoEntryThroughSelectedOption()
{
    auto paper = paperList("Letter");
    TestValueElement margin("TopMargin", "3");
    const auto attribute = reference("Max", paper.get(), {"current", "MaxTopMargin"});
    LogCapture log;
    QVERIFY(attribute->apply(&margin));
    QCOMPARE(margin.max(), QString("10"));
    QVERIFY(log.contains("Attribute::apply() \"Max\" for TopMargin to [10]"));

    paper->setCurrent("A4");
    QVERIFY(attribute->apply(&margin));
    QCOMPARE(margin.max(), QString("12"));
}

void TestAttribute::twoEntryFailures_data()
{
    QTest::addColumn<bool>("sourceIsList");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("message");

    QTest::newRow("source is not a list")
        << false << "A4" << QStringList{"current", "maxtopmargin"}
        << "Attribute::apply(): Error: referenced attribute has dept 2 but is used for not ListElement";
    QTest::newRow("first property undeclared")
        << true << "A4" << QStringList{"selected", "maxtopmargin"}
        << "Attribute::apply(): Error: referenced attribute has dept 2 but can't get first property";
    QTest::newRow("value not among options")
        << true << "B5" << QStringList{"current", "maxtopmargin"}
        << "Attribute::apply(): Error: referenced attribute has dept 2 but can't get specified "
           "parameter\n\tcontrol id: PaperSize\n\tvalue: B5\n";
    QTest::newRow("selected option not offered")
        << true << "Legal" << QStringList{"current", "maxtopmargin"}
        << "can't get specified parameter\n\tcontrol id: PaperSize\n\tvalue: Legal\n";
    QTest::newRow("option lacks the property")
        << true << "A4" << QStringList{"current", "maxbottommargin"}
        << "Attribute::apply(): Error: referenced attribute has dept 2 but can't get parameter's attribute";
}

void TestAttribute::twoEntryFailures()
{
    QFETCH(bool, sourceIsList);
    QFETCH(QString, current);
    QFETCH(QStringList, path);
    QFETCH(QString, message);

    auto paper = paperList(current);
    TestValueElement plain("PaperSize", current);
    IElement *source = sourceIsList ? static_cast<IElement *>(paper.get()) : &plain;
    TestValueElement margin("TopMargin", "3");
    margin.setMax("20");

    const auto attribute = reference("max", source, path);
    LogCapture log;
    QVERIFY(!attribute->apply(&margin));
    QVERIFY2(log.contains(message), qPrintable(log.lines().join('|')));
    QCOMPARE(margin.max(), QString("20"));
}

void TestAttribute::otherPathLengthsFail()
{
    auto paper = paperList("A4");
    TestValueElement margin("TopMargin", "3");
    for (const QStringList &path : {QStringList{}, QStringList{"current", "maxtopmargin", "id"}}) {
        const auto attribute = reference("max", paper.get(), path);
        QVERIFY(!attribute->apply(&margin));
        QCOMPARE(margin.max(), QString(""));
    }
}

void TestAttribute::refAttributeWithoutTargetActsOnElement()
{
    TestValueElement copies("Copies", "1");
    RefAttribute attribute("MAX", "9");
    QVERIFY(attribute.apply(&copies));
    QCOMPARE(copies.max(), QString("9"));
}

void TestAttribute::refAttributeWithOneEntryTargetPath()
{
    TestValueElement copies("Copies", "1");
    TestValueElement pages("Pages", "1");
    auto paper = paperList("A4");

    // NAME "Pages#max": the target is Pages, the property max.
    RefAttribute attribute("max", "PaperSize#current#maxtopmargin");
    attribute.target = &pages;
    attribute.targetPath = {"max"};
    attribute.isReference = true;
    attribute.source = paper.get();
    attribute.path = {"current", "maxtopmargin"};

    QVERIFY(attribute.apply(&copies));
    QCOMPARE(pages.max(), QString("12"));
    QCOMPARE(copies.max(), QString(""));
}

void TestAttribute::refAttributeWithoutTargetPathDoesNothing()
{
    // NAME without '#': the whole name is the target id and nothing qualifies it.
    TestValueElement copies("Copies", "1");
    TestValueElement pages("Pages", "1");
    RefAttribute attribute("Pages", "7");
    attribute.target = &pages;

    LogCapture log;
    QVERIFY(!attribute.apply(&copies));
    QVERIFY(log.lines().isEmpty());
    QCOMPARE(pages.max(), QString(""));
    QCOMPARE(copies.max(), QString(""));
    QVERIFY(pages.dynamicPropertyNames().isEmpty());
}

void TestAttribute::refAttributeWithTwoEntryTargetPathDoesNothing()
{
    TestValueElement copies("Copies", "1");
    auto paper = paperList("A4");
    RefAttribute attribute("maxtopmargin", "3");
    attribute.target = paper.get();
    attribute.targetPath = {"current", "maxtopmargin"};

    LogCapture log;
    QVERIFY(!attribute.apply(&copies));
    QVERIFY(log.lines().isEmpty());
    QCOMPARE(paper->options.front()->property("maxtopmargin").toString(), QString("12"));
    QCOMPARE(copies.max(), QString(""));
}

QTEST_MAIN(TestAttribute)
#include "tst_attribute.moc"

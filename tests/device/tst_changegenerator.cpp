#include "common/logcapture.h"
#include "device/changegenerator.h"
#include "elements/ielement.h"

#include <QFile>
#include <QObject>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// Just enough of a setting for the generator: id, type, whether it holds a
// value, and that value as the "current" property.
class FakeElement : public QObject, public IElement
{
    Q_OBJECT
    Q_PROPERTY(QString current READ current WRITE setCurrent)
public:
    FakeElement(const QString &id, int type, bool concrete, const QString &current = QString())
        : m_id(id), m_type(type), m_concrete(concrete), m_current(current)
    {}

    QString current() const { return m_current; }
    void setCurrent(const QString &value) { m_current = value; }

    QString id() const override { return m_id; }
    int type() const override { return m_type; }
    const char *typeName() const override { return m_type == 8 ? "stButton" : "stFake"; }
    QList<Element *> dependentElements() const override { return {}; }
    Dependency *dependency() const override { return nullptr; }
    NodeDesc *node() const override { return nullptr; }
    void setId(const QString &id) override { m_id = id; }
    void addDependentElement(IElement *) override {}
    void setDependency(Dependency *) override {}
    QWidget *createControl(QWidget *) override { return nullptr; }
    void deleteControl() override {}
    void showControl() override {}
    void hideControl() override {}
    QWidget *control() const override { return nullptr; }
    bool checkConstraints(IElement *, bool) override { return false; }
    bool prepareConstraints() override { return false; }
    void applyConstraintValues(Constraint *) override {}
    void applyConstraintAttributes(Constraint *) override {}
    void checkDependencies() override {}
    bool isConcrete() const override { return m_concrete; }
    bool isComplex() const override { return false; }
    bool isFactory() const override { return false; }
    bool isList() const override { return false; }
    bool isValid() override { return true; }
    QString dump() const override { return m_id; }
    QString temp() const override { return QString(); }
    void setTemp(const QString &) override {}
    void setControl(QWidget *) override {}

private:
    QString m_id;
    int m_type;
    bool m_concrete;
    QString m_current;
};

struct Entry
{
    QString id;
    int type;
    bool concrete;
    QString current;
};
using Entries = QList<Entry>;

const QStringList settingsPath{QStringLiteral("root"), QStringLiteral("PrinterSettingsInfo")};

// The build the description parser performs: empty the document, then for
// each setting find or create root/PrinterSettingsInfo and append it.
QString build(ChangeGenerator &generator, const Entries &entries)
{
    std::vector<std::unique_ptr<FakeElement>> elements;
    generator.reset();
    for (const Entry &entry : entries) {
        elements.push_back(
            std::make_unique<FakeElement>(entry.id, entry.type, entry.concrete, entry.current));
        QDomNode parent = generator.findPath(settingsPath);
        if (parent.isNull())
            parent = generator.ensurePath(settingsPath);
        parent.appendChild(generator.createDescription(elements.back().get()));
    }
    return generator.getChanges();
}

QString golden(const QString &name)
{
    QFile file(QStringLiteral(VELMORA_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing golden file %1>").arg(name);
    return QString::fromUtf8(file.readAll());
}

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestChangeGenerator : public QObject
{
    Q_OBJECT
private slots:
    void headerIsTheDeclaration()
    {
        ChangeGenerator generator;
        QCOMPARE(generator.header(), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"));
        QVERIFY(generator.button() == nullptr);
    }

    void documents_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("file");

        QTest::newRow("changed values")
            << Entries{{"Copies", 3, true, "3"}, {"Density", 11, true, "-2"}} << "changed_value.xml";
        QTest::newRow("button press") << Entries{{"RestoreFactory", 8, false, {}}} << "button_press.xml";
        QTest::newRow("quote, ampersand and less-than escaped")
            << Entries{{"HostName", 15, true, "My \"Office\" & <Lab>"},
                       {"Owner", 15, true, "O'Brien's &amp; co"}}
            << "escaping.xml";
        QTest::newRow("non-Latin-1 and percent") << Entries{{"Qualität", 2, true, "Größe 100%"},
                                                            {"Плотность", 11, true, "%s%d%n%%"},
                                                            {"FaxHeader", 15, true, "東京オフィス €5"}}
                                                 << "non_latin1_percent.xml";
        QTest::newRow("value, group, pressed and plain buttons, null value")
            << Entries{{"Copies", 3, true, "3"},
                       {"PaperGroup", 9, false, {}},
                       {"CleanHeadsXml", 26, false, {}},
                       {"CleanHeads", 22, false, {}},
                       {"Orientation", 12, true, {}}}
            << "mixed_kinds.xml";
    }
    void documents()
    {
        QFETCH(Entries, entries);
        QFETCH(QString, file);

        ChangeGenerator generator;
        const QString expected = golden(file);
        QCOMPARE(build(generator, entries), expected);
        // The golden files themselves must be documents the device can read.
        QVERIFY(DomParser(expected).isValid());
    }

    void buttonPressIsSixLines()
    {
        ChangeGenerator generator;
        FakeElement button(QStringLiteral("RestoreFactory"), 8, false);
        generator.reset();
        generator.setButton(&button);
        QCOMPARE(generator.button(), static_cast<IElement *>(&button));
        generator.ensurePath(settingsPath).appendChild(generator.createDescription(generator.button()));
        generator.setButton(nullptr);
        const QStringList lines = generator.getChanges().split(QLatin1Char('\n'));
        QCOMPARE(lines, (QStringList{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<root>",
                                     " <PrinterSettingsInfo>", "  <RestoreFactory CURRENT=\"PRESSED\" />",
                                     " </PrinterSettingsInfo>", "</root>"}));
    }

    void current_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("concrete");
        QTest::addColumn<bool>("hasCurrent");
        QTest::addColumn<QString>("value");

        QTest::newRow("value element: its current value") << 3 << true << true << "7";
        QTest::newRow("button 8 pressed") << 8 << false << true << "PRESSED";
        QTest::newRow("test page _XML 25 pressed") << 25 << false << true << "PRESSED";
        QTest::newRow("cleaning _XML 26 pressed") << 26 << false << true << "PRESSED";
        QTest::newRow("align SFP _XML 27 pressed") << 27 << false << true << "PRESSED";
        QTest::newRow("align MFP _XML 28 pressed") << 28 << false << true << "PRESSED";
        QTest::newRow("test page raw 21 has none") << 21 << false << false << "";
        QTest::newRow("align MFP raw 24 has none") << 24 << false << false << "";
        QTest::newRow("group 9 has none") << 9 << false << false << "";
        QTest::newRow("pop-up 10 has none") << 10 << false << false << "";
        QTest::newRow("about 13 has none") << 13 << false << false << "";
        QTest::newRow("phone book 14 has none") << 14 << false << false << "";
    }
    void current()
    {
        QFETCH(int, type);
        QFETCH(bool, concrete);
        QFETCH(bool, hasCurrent);
        QFETCH(QString, value);

        ChangeGenerator generator;
        FakeElement element(QStringLiteral("Setting"), type, concrete, QStringLiteral("7"));
        const QDomElement description = generator.createDescription(&element);
        QCOMPARE(description.tagName(), QStringLiteral("Setting"));
        QVERIFY(description.parentNode().isNull());
        QCOMPARE(description.attributes().count(), hasCurrent ? 1 : 0);
        QCOMPARE(generator.attribute(description, QStringLiteral("CURRENT")), hasCurrent ? value : QString());
    }

    void currentIsReadWhenDescribed()
    {
        ChangeGenerator generator;
        FakeElement element(QStringLiteral("Copies"), 3, true, QStringLiteral("1"));
        QVERIFY(element.setProperty("current", QStringLiteral("12")));
        const QDomElement description = generator.createDescription(&element);
        QCOMPARE(description.attribute(QStringLiteral("CURRENT")), QStringLiteral("12"));
    }

    void emptySetGivesNullText()
    {
        ChangeGenerator generator;
        LogCapture log;
        const QString fresh = generator.getChanges();
        QVERIFY(fresh.isNull());
        QCOMPARE(log.lines(), QStringList{"ChangeGenerator::getChanges() started"});

        QVERIFY(!build(generator, {{"Copies", 3, true, "2"}}).isNull());
        QVERIFY(build(generator, {}).isNull());
    }

    void twoBuildsInARow()
    {
        ChangeGenerator generator;
        const QString first =
            build(generator, {{"HostName", 15, true, "first"}, {"RestoreFactory", 8, false, {}}});
        QVERIFY(first.contains(QStringLiteral("HostName")));
        QCOMPARE(build(generator, {{"Copies", 3, true, "3"}, {"Density", 11, true, "-2"}}),
                 golden(QStringLiteral("changed_value.xml")));
        QCOMPARE(generator.document().elementsByTagName(QStringLiteral("root")).count(), 1);
    }

    void ensurePathReusesExistingElements()
    {
        ChangeGenerator generator;
        LogCapture log;
        const QDomElement first = generator.ensurePath(settingsPath);
        const QDomElement second = generator.ensurePath(settingsPath);
        QVERIFY(!first.isNull());
        QVERIFY(first == second);
        QCOMPARE(first.tagName(), QStringLiteral("PrinterSettingsInfo"));
        QCOMPARE(generator.document().documentElement().tagName(), QStringLiteral("root"));
        QCOMPARE(generator.document().documentElement().childNodes().count(), 1);
        QVERIFY(!log.contains(QStringLiteral("need to create path!")));
        QVERIFY(generator.ensurePath({}).isNull());
    }

    void resetEmptiesTheDocument()
    {
        ChangeGenerator generator;
        generator.ensurePath(settingsPath);
        generator.reset();
        QVERIFY(generator.findPath({QStringLiteral("root")}).isNull());
        QVERIFY(generator.document().documentElement().isNull());
    }

    void traceLines()
    {
        ChangeGenerator generator;
        FakeElement button(QStringLiteral("RestoreFactory"), 8, false);
        LogCapture log;
        generator.ensurePath(settingsPath).appendChild(generator.createDescription(&button));
        QVERIFY(!generator.getChanges().isNull());
        QCOMPARE(log.lines(), (QStringList{"ChangeGenerator::createDescription: ie->typeName()=<stButton>",
                                           "ChangeGenerator::getChanges() started"}));
    }

    void percentInIdIsWrittenLiterally()
    {
        ChangeGenerator generator;
        const QString text = build(generator, {{"Level%s%n", 3, true, "50%"}});
        QVERIFY(text.contains(QStringLiteral("\n  <Level%s%n CURRENT=\"50%\" />\n")));
    }

    void valuesSurviveAReadBack_data()
    {
        QTest::addColumn<QString>("value");

        QTest::newRow("quotes") << "\"double\" and 'single'";
        QTest::newRow("markup") << "<b>&amp;</b> ]]> &#x41;";
        QTest::newRow("percent formats") << "%s %d %n %% %1";
        QTest::newRow("non-Latin-1") << "Ωmega Жук 東京 😀";
        QTest::newRow("line feed and tab") << "two\nlines\tand tab";
        QTest::newRow("leading and trailing blanks") << "  padded  ";
        QTest::newRow("empty") << "";
    }
    void valuesSurviveAReadBack()
    {
        QFETCH(QString, value);

        ChangeGenerator generator;
        const QString text = build(generator, {{"Value", 15, true, value}});
        QVERIFY(text.startsWith(generator.header()));
        DomParser reread(text);
        QVERIFY(reread.isValid());
        const QDomNode node =
            reread.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo/Value")));
        QCOMPARE(reread.attribute(node, QStringLiteral("CURRENT")), value);
        QCOMPARE(text.split(QLatin1Char('\n')).size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestChangeGenerator)
#include "tst_changegenerator.moc"

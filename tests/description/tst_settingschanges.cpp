// What the parser does with a built model: lookups by id in their
// first-match order, wiring of dependents, and the change documents for the
// device (compared with the committed texts under data/changes/).
#include "description/dependency.h"
#include "description/nodedesc.h"
#include "description/settingsparser.h"
#include "elements/concreteelement.h"
#include "elements/elementtype.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(VELMORA_TEST_DATA "/") + name;
}

QString golden(const QString &name)
{
    QFile file(dataPath(QStringLiteral("changes/") + name));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(missing %1)").arg(name);
    return QString::fromUtf8(file.readAll());
}

std::unique_ptr<SettingsParser> parsedFile(const QString &name)
{
    QFile file(dataPath(name));
    auto parser = std::make_unique<SettingsParser>(&file);
    (void)parser->parse();
    return parser;
}

ConcreteElement *valueSetting(const SettingsParser &parser, const QString &id)
{
    return qobject_cast<ConcreteElement *>(parser.findElement(id));
}

// What the dialog does after a successful apply.
void commit(ConcreteElement *setting)
{
    setting->setInitial(setting->current());
    setting->setObjectName(QString::fromLatin1(setting->current().toLatin1()));
}

QStringList ids(const QList<Element *> &elements)
{
    QStringList result;
    for (const Element *element : elements)
        result.append(element->id());
    return result;
}

// The change document of one setting, as the device gets it.
QString documentOf(const QString &line)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n <PrinterSettingsInfo>\n  %1\n"
                          " </PrinterSettingsInfo>\n</root>")
        .arg(line);
}

} // namespace

class TestSettingsChanges : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstMatchAcrossCategories();
    void topCategorySettings();
    void dependents_data();
    void dependents();
    void ownConditionIsNoDependency();
    void dependencyRecordsReachTheirSettings();

    void changedValues();
    void unchangedSample();
    void filteredEditBoxesAreChanges();
    void specialCharactersInChanges();
    void whatCountsAsAChange_data();
    void whatCountsAsAChange();
    void buttonPresses_data();
    void buttonPresses();
    void popupFormChanges();
    void twoBuildsInARow();
    void secondParseStartsAfresh();

private:
    std::unique_ptr<QTemporaryDir> m_workDir;
    QString m_previousDir;
};

void TestSettingsChanges::init()
{
    m_previousDir = QDir::currentPath();
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_workDir->path()));
}

void TestSettingsChanges::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_workDir.reset();
}

void TestSettingsChanges::firstMatchAcrossCategories()
{
    auto parser = parsedFile(QStringLiteral("duplicate_ids.xml"));
    Element *toner = parser->findElement(QStringLiteral("Toner"));
    QVERIFY(toner);
    QCOMPARE(toner->string(), QStringLiteral("IDS_TONER_FIRST"));
    QCOMPARE(parser->findDependency(QStringLiteral("Toner"))->owner, static_cast<IElement *>(toner));
    QCOMPARE(parser->findElement(QStringLiteral("Saver"))->dependentElements(), QList<Element *>{toner});

    // The walk still reaches the second one.
    auto *second =
        qobject_cast<ConcreteElement *>(parser->root()->children().at(1)->elements().front().get());
    QCOMPARE(second->string(), QStringLiteral("IDS_TONER_SECOND"));
    second->setCurrent(QStringLiteral("5"));
    QCOMPARE(parser->getChanges(QString()), documentOf(QStringLiteral("<Toner CURRENT=\"5\" />")));
}

void TestSettingsChanges::topCategorySettings()
{
    auto parser = parsedFile(QStringLiteral("settings_in_top_category.xml"));
    QVERIFY(!parser->findElement(QStringLiteral("TopCopies")));
    QVERIFY(!parser->findElement(QStringLiteral("TopDuplex")));
    QVERIFY(parser->findElement(QStringLiteral("Darkness")));

    // Darkness depends on TopDuplex, but nothing wires the top category.
    const auto &top = parser->root()->elements();
    QCOMPARE(top.size(), size_t(2));
    QVERIFY(top.at(1)->dependentElements().isEmpty());
    QVERIFY(!top.at(1)->dependency());
    const Dependency *darkness = parser->findDependency(QStringLiteral("Darkness"));
    QCOMPARE(parser->findElement(QStringLiteral("Darkness"))->dependency(), darkness);

    // Its change is reported all the same, but cannot be asked for by id.
    qobject_cast<ConcreteElement *>(top.at(0).get())->setCurrent(QStringLiteral("7"));
    QCOMPARE(parser->getChanges(QString()), documentOf(QStringLiteral("<TopCopies CURRENT=\"7\" />")));
    QCOMPARE(parser->getChanges(QStringLiteral("TopCopies")), QString(""));
}

void TestSettingsChanges::dependents_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("dependents");

    QTest::newRow("PaperSize, its own rule left out")
        << "PaperSize" << QStringList({"Duplex", "PaperSource", "TopMargin", "LeftMargin"});
    QTest::newRow("Orientation") << "Orientation" << QStringList({"LinesPerPage", "PaperSize"});
    QTest::newRow("AddressMode") << "AddressMode" << QStringList({"IPAddress", "SubnetMask", "Gateway"});
    QTest::newRow("SubnetMask, built-in rule") << "SubnetMask" << QStringList{"Gateway"};
    QTest::newRow("IPAddress, built-in rule") << "IPAddress" << QStringList{"Gateway"};
    QTest::newRow("group member") << "ReceiveMode" << QStringList{"RingsToAnswer"};
    QTest::newRow("tested by nobody") << "HostName" << QStringList();
}

void TestSettingsChanges::dependents()
{
    QFETCH(QString, id);
    QFETCH(QStringList, dependents);

    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    const Element *element = parser->findElement(id);
    QVERIFY(element);
    QCOMPARE(ids(element->dependentElements()), dependents);
}

void TestSettingsChanges::ownConditionIsNoDependency()
{
    auto parser = parsedFile(QStringLiteral("constraint_kinds.xml"));
    const Element *mode = parser->findElement(QStringLiteral("Mode"));
    QCOMPARE(ids(mode->dependentElements()), QStringList({"Media", "Copies", "Staple"}));
}

void TestSettingsChanges::dependencyRecordsReachTheirSettings()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    Element *rings = parser->findElement(QStringLiteral("RingsToAnswer"));
    const Dependency *record = parser->findDependency(QStringLiteral("RingsToAnswer"));
    QVERIFY(record);
    QCOMPARE(record->owner, static_cast<IElement *>(rings));
    QCOMPARE(rings->dependency(), record);
    QVERIFY(!parser->findElement(QStringLiteral("HostName"))->dependency());
    // The gateway's own Enable rule and the built-in validity rule share one record.
    QCOMPARE(parser->findDependency(QStringLiteral("Gateway"))->constraints.size(), size_t(2));
}

void TestSettingsChanges::changedValues()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    valueSetting(*parser, QStringLiteral("HeaderName"))->setCurrent(QStringLiteral("Fax & \"Co\" <1>"));
    valueSetting(*parser, QStringLiteral("Copies"))->setCurrent(QStringLiteral("3"));
    valueSetting(*parser, QStringLiteral("ReceiveMode"))->setCurrent(QStringLiteral("Manual"));
    // In walk order: categories in order, a group's members after it.
    QCOMPARE(parser->getChanges(QString("")), golden(QStringLiteral("changed_values.xml")));
}

void TestSettingsChanges::unchangedSample()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    QVERIFY(parser->getChanges(QString("")).isNull());
}

void TestSettingsChanges::filteredEditBoxesAreChanges()
{
    auto parser = parsedFile(QStringLiteral("edit_current_mismatch.xml"));
    QCOMPARE(parser->getChanges(QString("")), golden(QStringLiteral("filtered_edit_boxes.xml")));
}

void TestSettingsChanges::specialCharactersInChanges()
{
    auto parser = parsedFile(QStringLiteral("special_characters.xml"));
    valueSetting(*parser, QStringLiteral("Owner"))->setCurrent(QStringLiteral("a\"<&%n"));
    const QString expected = documentOf(QStringLiteral("<Owner CURRENT=\"a&quot;&lt;&amp;%n\" />\n"
                                                       "  <Motto CURRENT=\"\" />\n"
                                                       "  <FaxHeader CURRENT=\"\" />"));
    QCOMPARE(parser->getChanges(QString()), expected);
}

void TestSettingsChanges::whatCountsAsAChange_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("reported");

    QTest::newRow("same text") << "CURRENT=\"a\""
                               << "a" << false;
    QTest::newRow("other text") << "CURRENT=\"a\""
                                << "b" << true;
    QTest::newRow("no CURRENT, still null") << "" << QString() << false;
    QTest::newRow("no CURRENT, set") << ""
                                     << "a" << true;
    QTest::newRow("CURRENT emptied") << "CURRENT=\"a\""
                                     << "" << true;
    // The object name cannot keep "" apart from unset, so neither can this.
    QTest::newRow("no CURRENT, set empty") << ""
                                           << "" << false;
    QTest::newRow("empty CURRENT, unchanged") << "CURRENT=\"\""
                                              << "" << false;
    QTest::newRow("Latin-1 text unchanged") << "CURRENT=\"Grüße\""
                                            << "Grüße" << false;
    // Both sides go through Latin-1, where the euro sign is lost alike.
    QTest::newRow("non-Latin-1 text unchanged") << "CURRENT=\"€\""
                                                << "€" << false;
}

void TestSettingsChanges::whatCountsAsAChange()
{
    QFETCH(QString, attribute);
    QFETCH(QString, value);
    QFETCH(bool, reported);

    SettingsParser parser(
        QStringLiteral(
            "<root><PrinterSettingsInfo><C><V TYPE=\"STATICTEXT\" %1/></C></PrinterSettingsInfo></root>")
            .arg(attribute));
    QVERIFY(parser.parse());
    valueSetting(parser, QStringLiteral("V"))->setCurrent(value);
    QCOMPARE(!parser.getChanges(QString()).isNull(), reported);
}

void TestSettingsChanges::buttonPresses_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("pressed");

    QTest::newRow("BUTTON") << "RestoreFactory" << true;
    QTest::newRow("test page, device") << "PrintTestPageXml" << true;
    QTest::newRow("cleaning, device") << "CleanCartridgesXml" << true;
    QTest::newRow("SFP alignment, device") << "AlignCartridgesSfpXml" << true;
    QTest::newRow("MFP alignment, device") << "AlignCartridgesMfpXml" << true;
    QTest::newRow("test page, wizard") << "PrintTestPage" << false;
    QTest::newRow("alignment, wizard") << "AlignCartridgesMfp" << false;
    QTest::newRow("phone book") << "PhoneBook" << false;
    QTest::newRow("group") << "FaxReceive" << false;
    QTest::newRow("value setting") << "Copies" << false;
}

void TestSettingsChanges::buttonPresses()
{
    QFETCH(QString, id);
    QFETCH(bool, pressed);

    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    // A pending change never rides along with a press.
    valueSetting(*parser, QStringLiteral("Copies"))->setCurrent(QStringLiteral("4"));
    const QString text = parser->getChanges(id);
    if (!pressed) {
        QCOMPARE(text, QString(""));
        QVERIFY(!text.isNull());
        return;
    }
    QCOMPARE(text, documentOf(QStringLiteral("<%1 CURRENT=\"PRESSED\" />").arg(id)));
    QCOMPARE(parser->getButton(parser->findElement(id)), text);
}

void TestSettingsChanges::popupFormChanges()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    valueSetting(*parser, QStringLiteral("Copies"))->setCurrent(QStringLiteral("2"));
    valueSetting(*parser, QStringLiteral("PrintHeader"))->setCurrent(QStringLiteral("Off"));
    valueSetting(*parser, QStringLiteral("HeaderNumber"))->setCurrent(QStringLiteral("+49 30 5550 9999"));
    QCOMPARE(parser->getChanges(QStringLiteral("FaxHeader")), golden(QStringLiteral("popup_form.xml")));

    // Nothing changed in the form: nothing to send.
    commit(valueSetting(*parser, QStringLiteral("PrintHeader")));
    commit(valueSetting(*parser, QStringLiteral("HeaderNumber")));
    QVERIFY(parser->getChanges(QStringLiteral("FaxHeader")).isNull());
}

void TestSettingsChanges::twoBuildsInARow()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    ConcreteElement *copies = valueSetting(*parser, QStringLiteral("Copies"));
    copies->setCurrent(QStringLiteral("9"));
    QCOMPARE(parser->getChanges(QString()), documentOf(QStringLiteral("<Copies CURRENT=\"9\" />")));

    commit(copies);
    valueSetting(*parser, QStringLiteral("PaperSize"))->setCurrent(QStringLiteral("Letter"));
    QCOMPARE(parser->getChanges(QString()), documentOf(QStringLiteral("<PaperSize CURRENT=\"Letter\" />")));
    QCOMPARE(parser->getChanges(QStringLiteral("RestoreFactory")),
             documentOf(QStringLiteral("<RestoreFactory CURRENT=\"PRESSED\" />")));
    QCOMPARE(parser->getChanges(QString()), documentOf(QStringLiteral("<PaperSize CURRENT=\"Letter\" />")));
}

void TestSettingsChanges::secondParseStartsAfresh()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    const size_t records = parser->dependencies().size();
    valueSetting(*parser, QStringLiteral("Copies"))->setCurrent(QStringLiteral("9"));

    QVERIFY(parser->parse());
    QCOMPARE(parser->dependencies().size(), records);
    QVERIFY(parser->getChanges(QString()).isNull());
    QCOMPARE(valueSetting(*parser, QStringLiteral("Copies"))->current(), QStringLiteral("1"));
    QCOMPARE(ids(parser->findElement(QStringLiteral("AddressMode"))->dependentElements()),
             QStringList({"IPAddress", "SubnetMask", "Gateway"}));
}

QTEST_MAIN(TestSettingsChanges)
#include "tst_settingschanges.moc"

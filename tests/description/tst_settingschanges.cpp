// What the parser does with a built model: lookups by id in their
// first-match order, wiring of dependents, and the change documents for the
// device (compared with the committed texts under data/changes/).
#include "common/descriptionfiles.h"
#include "description/dependency.h"
#include "description/nodedesc.h"
#include "elements/concreteelement.h"

#include <QTest>

#include <optional>

namespace {

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
    return QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n <PrinterSettingsInfo>\n  %1\n"
                   " </PrinterSettingsInfo>\n</root>")
        .arg(line);
}

} // namespace

class TestSettingsChanges : public QObject
{
    Q_OBJECT
    std::optional<ScratchDir> m_dir;

private slots:
    void init() { m_dir.emplace(); }
    void cleanup() { m_dir.reset(); }

    void firstMatchAcrossCategories()
    {
        auto parser = parsedFile("duplicate_ids.xml");
        Element *toner = parser->findElement("Toner");
        QCOMPARE(toner->string(), QString("IDS_TONER_FIRST"));
        QCOMPARE(parser->findDependency("Toner")->owner, static_cast<IElement *>(toner));
        QCOMPARE(toner->dependency(), parser->findDependency("Toner"));
        QCOMPARE(parser->findElement("Saver")->dependentElements(), QList<Element *>{toner});

        // The walk still reaches the second one.
        auto *second =
            qobject_cast<ConcreteElement *>(parser->root()->children().at(1)->elements().front().get());
        QCOMPARE(second->string(), QString("IDS_TONER_SECOND"));
        second->setCurrent("5");
        QCOMPARE(parser->getChanges(QString()), documentOf("<Toner CURRENT=\"5\" />"));
    }

    void topCategorySettings()
    {
        auto parser = parsedFile("settings_in_top_category.xml");
        QVERIFY(!parser->findElement("TopCopies"));
        QVERIFY(parser->findElement("Darkness")->dependency());
        // Darkness depends on TopDuplex, but nothing wires the top category.
        const auto &top = parser->root()->elements();
        QCOMPARE(top.size(), size_t(2));
        QVERIFY(top.at(1)->dependentElements().isEmpty());

        // Its change is reported all the same, but cannot be asked for by id.
        qobject_cast<ConcreteElement *>(top.at(0).get())->setCurrent("7");
        QCOMPARE(parser->getChanges(QString()), documentOf("<TopCopies CURRENT=\"7\" />"));
        QCOMPARE(parser->getChanges("TopCopies"), QString(""));
    }

    void dependents_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("dependents");

        QTest::newRow("PaperSize, its own rule left out")
            << "PaperSize" << QStringList({"Duplex", "PaperSource", "TopMargin", "LeftMargin"});
        QTest::newRow("SubnetMask, built-in rule") << "SubnetMask" << QStringList{"Gateway"};
        QTest::newRow("group member") << "ReceiveMode" << QStringList{"RingsToAnswer"};
        QTest::newRow("tested by nobody") << "HostName" << QStringList();
    }
    void dependents()
    {
        QFETCH(QString, id);
        QFETCH(QStringList, dependents);

        auto parser = parsedFile("sample_mfp.xml");
        QCOMPARE(ids(parser->findElement(id)->dependentElements()), dependents);
    }

    void changeDocuments()
    {
        auto parser = parsedFile("sample_mfp.xml");
        QVERIFY(parser->getChanges("").isNull());
        findAs<ConcreteElement>(*parser, "HeaderName")->setCurrent("Fax & \"Co\" <1>");
        findAs<ConcreteElement>(*parser, "Copies")->setCurrent("3");
        findAs<ConcreteElement>(*parser, "ReceiveMode")->setCurrent("Manual");
        // In walk order: categories in order, a group's members after it.
        QCOMPARE(parser->getChanges(""), readText(dataPath("changes/changed_values.xml")));

        // Edit boxes whose device text failed the filter start empty, so they are changes.
        QCOMPARE(parsedFile("edit_current_mismatch.xml")->getChanges(""),
                 readText(dataPath("changes/filtered_edit_boxes.xml")));

        auto special = parsedFile("special_characters.xml");
        findAs<ConcreteElement>(*special, "Owner")->setCurrent("a\"<&%n");
        QCOMPARE(special->getChanges(QString()), documentOf("<Owner CURRENT=\"a&quot;&lt;&amp;%n\" />\n"
                                                            "  <Motto CURRENT=\"\" />\n"
                                                            "  <FaxHeader CURRENT=\"\" />"));
    }

    void whatCountsAsAChange_data()
    {
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("reported");
        const auto row = [](const char *name, const char *attribute, const QString &value, bool reported) {
            QTest::newRow(name) << QString(attribute) << value << reported;
        };
        row("same text", "CURRENT=\"a\"", "a", false);
        row("other text", "CURRENT=\"a\"", "b", true);
        row("no CURRENT, still null", "", QString(), false);
        row("no CURRENT, set", "", "a", true);
        row("CURRENT emptied", "CURRENT=\"a\"", "", true);
        // The object name cannot keep "" apart from unset, so neither can this.
        row("no CURRENT, set empty", "", "", false);
        // Both sides go through Latin-1, where the euro sign is lost alike.
        row("non-Latin-1 text unchanged", "CURRENT=\"€\"", "€", false);
    }
    void whatCountsAsAChange()
    {
        QFETCH(QString, attribute);
        QFETCH(QString, value);
        QFETCH(bool, reported);

        auto parser = parsedSettings(QString("<V TYPE=\"STATICTEXT\" %1/>").arg(attribute));
        findAs<ConcreteElement>(*parser, "V")->setCurrent(value);
        QCOMPARE(!parser->getChanges(QString()).isNull(), reported);
    }

    void buttonPresses_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("pressed");

        QTest::newRow("BUTTON") << "RestoreFactory" << true;
        QTest::newRow("cleaning, device") << "CleanCartridgesXml" << true;
        QTest::newRow("test page, wizard") << "PrintTestPage" << false;
        QTest::newRow("group") << "FaxReceive" << false;
        QTest::newRow("value setting") << "Copies" << false;
    }
    void buttonPresses()
    {
        QFETCH(QString, id);
        QFETCH(bool, pressed);

        auto parser = parsedFile("sample_mfp.xml");
        // A pending change never rides along with a press.
        findAs<ConcreteElement>(*parser, "Copies")->setCurrent("4");
        const QString text = parser->getChanges(id);
        QCOMPARE(text, pressed ? documentOf(QString("<%1 CURRENT=\"PRESSED\" />").arg(id)) : QString(""));
        QVERIFY(!text.isNull());
        if (pressed)
            QCOMPARE(parser->getButton(parser->findElement(id)), text);
    }

    void popupFormChanges()
    {
        auto parser = parsedFile("sample_mfp.xml");
        findAs<ConcreteElement>(*parser, "Copies")->setCurrent("2");
        findAs<ConcreteElement>(*parser, "PrintHeader")->setCurrent("Off");
        findAs<ConcreteElement>(*parser, "HeaderNumber")->setCurrent("+49 30 5550 9999");
        QCOMPARE(parser->getChanges("FaxHeader"), readText(dataPath("changes/popup_form.xml")));

        // Nothing changed in the form: nothing to send.
        commit(findAs<ConcreteElement>(*parser, "PrintHeader"));
        commit(findAs<ConcreteElement>(*parser, "HeaderNumber"));
        QVERIFY(parser->getChanges("FaxHeader").isNull());
    }

    void twoBuildsInARow()
    {
        auto parser = parsedFile("sample_mfp.xml");
        ConcreteElement *copies = findAs<ConcreteElement>(*parser, "Copies");
        copies->setCurrent("9");
        QCOMPARE(parser->getChanges(QString()), documentOf("<Copies CURRENT=\"9\" />"));

        commit(copies);
        findAs<ConcreteElement>(*parser, "PaperSize")->setCurrent("Letter");
        const QString paper = documentOf("<PaperSize CURRENT=\"Letter\" />");
        QCOMPARE(parser->getChanges(QString()), paper);
        QCOMPARE(parser->getChanges("RestoreFactory"), documentOf("<RestoreFactory CURRENT=\"PRESSED\" />"));
        QCOMPARE(parser->getChanges(QString()), paper);
    }

    void secondParseStartsAfresh()
    {
        auto parser = parsedFile("sample_mfp.xml");
        const size_t records = parser->dependencies().size();
        findAs<ConcreteElement>(*parser, "Copies")->setCurrent("9");

        QVERIFY(parser->parse());
        QCOMPARE(parser->dependencies().size(), records);
        QVERIFY(parser->getChanges(QString()).isNull());
        QCOMPARE(ids(parser->findElement("AddressMode")->dependentElements()),
                 QStringList({"IPAddress", "SubnetMask", "Gateway"}));
        // The gateway's own Enable rule and the built-in validity rule share one record.
        QCOMPARE(parser->findDependency("Gateway")->constraints.size(), size_t(2));
    }
};

QTEST_MAIN(TestSettingsChanges)
#include "tst_settingschanges.moc"

// What the parser does with a built model: lookups by id in their
// first-match order, wiring of dependents, and the change documents for the
// device (compared with the committed texts under data/changes/).
#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "model/concreteelement.h"
#include "model/dependency.h"
#include "model/nodedesc.h"

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
    ScratchDir m_dir;

private slots:
    void firstMatchAcrossCategories()
    {
        auto parser = parsedFile("duplicate_ids.xml");
        Element *toner = parser->findElement("Toner");
        QCOMPARE(toner->string(), QString("IDS_TONER_FIRST"));
        QCOMPARE(parser->findElement("Saver")->dependentElements(), QList<Element *>{toner});
        // The walk still reaches the second one.
        auto *second =
            qobject_cast<ConcreteElement *>(parser->root()->children().at(1)->elements().front().get());
        second->setCurrent("5");
        QCOMPARE(parser->getChanges(QString()), documentOf("<Toner CURRENT=\"5\" />"));
    }

    void topCategorySettings()
    {
        auto parser = parsedFile("settings_in_top_category.xml");
        QVERIFY(!parser->findElement("TopCopies"));
        // Darkness depends on TopDuplex, but nothing wires the top category.
        const auto &top = parser->root()->elements();
        QVERIFY(top.at(1)->dependentElements().isEmpty());
        // Its change is reported all the same, but cannot be asked for by id.
        qobject_cast<ConcreteElement *>(top.at(0).get())->setCurrent("7");
        QCOMPARE(parser->getChanges(QString()), documentOf("<TopCopies CURRENT=\"7\" />"));
        QCOMPARE(parser->getChanges("TopCopies"), QString(""));
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
    }

    void whatCountsAsAChange_data()
    {
        addColumns<QString, QString, bool>({"attribute", "value", "reported"});
        addRow("CURRENT emptied", "CURRENT=\"a\"", "", true);
        addRow("no CURRENT, set", "", "a", true);
        // The object name cannot keep "" apart from unset, so neither can this.
        addRow("no CURRENT, set empty", "", "", false);
        // Both sides go through Latin-1, where the euro sign is lost alike.
        addRow("non-Latin-1 text unchanged", "CURRENT=\"€\"", "€", false);
    }
    void whatCountsAsAChange()
    {
        QFETCH(QString, attribute);
        QFETCH(QString, value);
        auto parser = parsedSettings(QString("<V TYPE=\"STATICTEXT\" %1/>").arg(attribute));
        findAs<ConcreteElement>(*parser, "V")->setCurrent(value);
        QTEST(!parser->getChanges(QString()).isNull(), "reported");
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

    void pressesBuildsAndASecondParse()
    {
        auto parser = parsedFile("sample_mfp.xml");
        ConcreteElement *copies = findAs<ConcreteElement>(*parser, "Copies");
        copies->setCurrent("9");
        QCOMPARE(parser->getChanges(QString()), documentOf("<Copies CURRENT=\"9\" />"));
        commit(copies);
        findAs<ConcreteElement>(*parser, "PaperSize")->setCurrent("Letter");
        const QString paper = documentOf("<PaperSize CURRENT=\"Letter\" />");
        QCOMPARE(parser->getChanges(QString()), paper);
        // A pending change never rides along with a press, nor is it lost by one.
        const QString press = documentOf("<RestoreFactory CURRENT=\"PRESSED\" />");
        QCOMPARE(parser->getChanges("RestoreFactory"), press);
        QCOMPARE(parser->getButton(parser->findElement("RestoreFactory")), press);
        QCOMPARE(parser->getChanges("CleanCartridgesXml"),
                 documentOf("<CleanCartridgesXml CURRENT=\"PRESSED\" />"));
        QVERIFY(!parser->getChanges("PrintTestPage").isNull()); // a wizard: nothing for the device
        QCOMPARE(parser->getChanges("PrintTestPage"), QString(""));
        QCOMPARE(parser->getChanges(QString()), paper);

        // A second parse starts afresh: no pending change, no doubled dependents;
        // a setting's own rule does not make it its own dependent.
        QVERIFY(parser->parse());
        QVERIFY(parser->getChanges(QString()).isNull());
        QCOMPARE(ids(parser->findElement("AddressMode")->dependentElements()),
                 QStringList({"IPAddress", "SubnetMask", "Gateway"}));
        QCOMPARE(ids(parser->findElement("PaperSize")->dependentElements()),
                 QStringList({"Duplex", "PaperSource", "TopMargin", "LeftMargin"}));
        QCOMPARE(ids(parser->findElement("SubnetMask")->dependentElements()), QStringList{"Gateway"});
    }
};

QTEST_MAIN(TestSettingsChanges)
#include "tst_settingschanges.moc"

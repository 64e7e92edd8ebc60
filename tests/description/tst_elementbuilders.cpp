// The builders behind SettingsParser: which class each control keyword
// yields and what it reads from the description node.
#include "app/aboutinfo.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "description/nodedesc.h"
#include "description/papersizeparameter.h"
#include "elements/aboutelement.h"
#include "elements/buttonelement.h"
#include "elements/elementtype.h"
#include "elements/floatelement.h"
#include "elements/formelement.h"
#include "elements/inkcartridgealignsfpelement.h"
#include "elements/listelement.h"
#include "elements/sliderelement.h"
#include "elements/textelement.h"

#include <QSet>
#include <QTest>

#include <optional>

namespace {

const QString skipped = QString("!!! The following element has been skipped: !!!");

void collectTypes(const Element *element, QSet<int> &types)
{
    types.insert(element->type());
    if (const auto *group = qobject_cast<const ComplexElement *>(element))
        for (const Element *member : group->elements())
            collectTypes(member, types);
}

void collectTypes(const NodeDesc *category, QSet<int> &types)
{
    for (const auto &element : category->elements())
        collectTypes(element.get(), types);
    for (const auto &child : category->children())
        collectTypes(child.get(), types);
}

} // namespace

class TestElementBuilders : public QObject
{
    Q_OBJECT
    std::optional<ScratchDir> m_dir;

private slots:
    void init() { m_dir.emplace(); }
    void cleanup() { m_dir.reset(); }

    void everyKeyword_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("className");
        // Each setting of the keyword file is named after its keyword.
        const auto row = [](const char *id, int type, const char *className) {
            QTest::newRow(id) << QString(id) << type << QString(className);
        };
        row("AboutElement", stAbout, "AboutElement");
        row("StaticTextSetting", stText, "TextElement");
        row("ComboBoxSetting", stList, "ListElement");
        row("RadioButtonSetting", stRadio, "ListElement");
        row("PaperSizeSetting", stPaperSize, "ListElement");
        row("FloatSetting", stFloat, "FloatElement");
        row("SliderSetting", stSlider, "SliderElement");
        row("EditBoxSetting", stEdit, "BoundaryElement");
        row("DialEditBoxSetting", stDialEdit, "BoundaryElement");
        row("IpAddressSetting", stIPAddress, "FactoryElement");
        row("SubnetMaskSetting", stSubnetMask, "FactoryElement");
        row("ButtonSetting", stButton, "ButtonElement");
        row("GroupSetting", stGroup, "ComplexElement");
        row("IntegerSetting", stInteger, "NumericElement"); // in the group
        row("PopupSetting", stForm, "FormElement");
        row("CheckBoxSetting", stCheckbox, "ListElement"); // in the pop-up
        row("PhoneBookSetting", stPhoneBook, "PhoneBookElement");
        row("EmailBookSetting", stEmailBook, "EmailBookElement");
        row("AddressBookSetting", stAddressBook, "AddressBookElement");
        row("TestPageSetting", stInkTestPagePrint, "InkTestPagePrintElement");
        row("TestPageXmlSetting", stInkTestPagePrint_XML, "InkTestPagePrintElement");
        row("CleanSetting", stInkCartridgeClean, "InkCartridgeCleanElement");
        row("CleanXmlSetting", stInkCartridgeClean_XML, "InkCartridgeCleanElement");
        row("AlignSfpSetting", stInkCartridgeAlignSFP, "InkCartridgeAlignSFPElement");
        row("AlignSfpXmlSetting", stInkCartridgeAlignSFP_XML, "InkCartridgeAlignSFPElement");
        row("AlignMfpSetting", stInkCartridgeAlignMFP, "InkCartridgeAlignMFPElement");
        row("AlignMfpXmlSetting", stInkCartridgeAlignMFP_XML, "InkCartridgeAlignMFPElement");
    }
    void everyKeyword()
    {
        QFETCH(QString, id);
        QFETCH(int, type);
        QFETCH(QString, className);

        LogCapture log;
        auto parser = parsedFile("all_control_keywords.xml");
        QVERIFY(!log.contains(skipped));
        Element *element = parser->findElement(id);
        QVERIFY(element && element->node());
        QCOMPARE(element->type(), type);
        QCOMPARE(QString(element->metaObject()->className()), className);
    }

    // The realistic sample is the demo device: it must keep using every kind
    // of setting, and every one of them must build.
    void sampleBuildsEverySetting()
    {
        LogCapture log;
        auto parser = parsedFile("sample_mfp.xml");
        QVERIFY(!log.contains(skipped));
        QSet<int> types;
        collectTypes(parser->root(), types);
        for (int type = stList; type <= stAddressBook; ++type)
            QVERIFY2(types.contains(type) || type == stInkJetMaintenance, ElementTypeName(type));
        // SubnetMask was described as an address and is built as a mask.
        QCOMPARE(parser->findElement("SubnetMask")->type(), int(stSubnetMask));
        QVERIFY(!parser->findElement("SSID"));
    }

    void readsAttributes_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("value");
        const auto row = [](const char *name, const char *attributes, const char *property,
                            const QString &value) {
            QTest::newRow(name) << QString(attributes) << QByteArray(property) << value;
        };
        row("digits from a STEP of 0.05", "TYPE=\"FLOAT\" STEP=\"0.05\"", "digits", "2");
        row("digits from a whole STEP", "TYPE=\"FLOAT\" STEP=\"5\"", "digits", "1");
        row("DIGITS wins over STEP", "TYPE=\"FLOAT\" STEP=\"0.05\" DIGITS=\"3\"", "digits", "3");
        row("digits without STEP", "TYPE=\"FLOAT\"", "digits", "1");
        row("digits after a trailing dot", "TYPE=\"FLOAT\" STEP=\"10.\"", "digits", "0");
        row("digits after the last dot", "TYPE=\"FLOAT\" STEP=\"1.2.345\"", "digits", "3");
        row("empty DIGITS kept", "TYPE=\"FLOAT\" STEP=\"0.5\" DIGITS=\"\"", "digits", "");
        row("no MIN stays null", "TYPE=\"INTEGER\"", "min", QString());
        row("no CURRENT stays null", "TYPE=\"INTEGER\"", "current", QString());
        row("no BUTTONLABEL stays null", "TYPE=\"BUTTON\"", "label", QString());
        row("no TEXTLABEL stays null", "TYPE=\"STATICTEXT\"", "format", QString());
        row("TEXTLABEL kept literally", "TYPE=\"STATICTEXT\" TEXTLABEL=\"%s%n pages\"", "format",
            "%s%n pages");
        row("edit box keeps allowed punctuation", "TYPE=\"EDITBOX\" CURRENT=\"Office #2, 3rd floor\"",
            "current", "Office #2, 3rd floor");
        row("edit box refuses umlaut and underscore", "TYPE=\"EDITBOX\" CURRENT=\"Büro_2\"", "current", "");
        row("refused text kept as initial value", "TYPE=\"EDITBOX\" CURRENT=\"Büro_2\"", "initial", "Büro_2");
        row("refused text kept as object name", "TYPE=\"EDITBOX\" CURRENT=\"Büro_2\"", "objectName",
            "Büro_2");
        row("dial box keeps plus, digits, blanks", "TYPE=\"DIALEDITBOX\" CURRENT=\"+49 30 1\"", "current",
            "+49 30 1");
        row("dial box refuses a hyphen", "TYPE=\"DIALEDITBOX\" CURRENT=\"030-1\"", "current", "");
        row("dial box without CURRENT: null", "TYPE=\"DIALEDITBOX\"", "current", QString());
        row("dial box without CURRENT: null initial", "TYPE=\"DIALEDITBOX\"", "initial", QString());
        row("photo ink for TRUE", "TYPE=\"CARTRIDGE_ALIGN_HP_INK_SFP\" PhotoInkCartridgeInstall=\"TRUE\"",
            "hasPhotoInk", "true");
        row("no photo ink for true", "TYPE=\"CARTRIDGE_ALIGN_HP_INK_SFP\" PhotoInkCartridgeInstall=\"true\"",
            "hasPhotoInk", "false");
    }
    void readsAttributes()
    {
        QFETCH(QString, attributes);
        QFETCH(QByteArray, property);
        QFETCH(QString, value);

        auto parser = parsedSettings(QString("<S %1/>").arg(attributes));
        const Element *element = parser->findElement("S");
        QVERIFY(element && element->metaObject()->indexOfProperty(property) >= 0);
        const QString read = element->property(property).toString();
        QCOMPARE(read, value);
        QCOMPARE(read.isNull(), value.isNull());
    }

    void textsAndBounds()
    {
        auto parser = parsedSettings(
            "<A TYPE=\"INTEGER\" STRING=\"IDS_A\"/><B TYPE=\"INTEGER\"/>"
            "<E TYPE=\"BUTTON\" STRING=\"\" CURRENT=\"x\"/><M TYPE=\"EDITBOX\" CURRENT=\"x\"/>");
        QCOMPARE(parser->findElement("A")->title(), QString("IDS_A"));
        QCOMPARE(parser->findElement("B")->string(), QString("B"));
        // An empty STRING is kept as it is; the id is shown instead.
        QCOMPARE(parser->findElement("E")->string(), QString(""));
        QVERIFY(!parser->findElement("E")->string().isNull());
        QCOMPARE(parser->findElement("E")->title(), QString("E"));
        // Absent attributes stay absent: no factory, no maximum.
        QVERIFY(!findAs<NumericElement>(*parser, "B")->hasFactory());
        QVERIFY(!findAs<NumericElement>(*parser, "B")->hasMax());
        QVERIFY(!findAs<BoundaryElement>(*parser, "M")->hasMax());
        // A button is no value: not part of a change set, whatever CURRENT said.
        QVERIFY(!parser->findElement("E")->isConcrete());
        QVERIFY(parser->getChanges(QString()).isNull());
    }

    void options()
    {
        // A bare option's tag is value, key and title; a paper-size value not
        // given reads null, not "0"; a check box may come without options.
        auto parser = parsedSettings(
            "<P TYPE=\"PAPERSIZE\" CURRENT=\"B5\"><B5 MAXTOPMARGIN=\"9\"/></P>"
            "<C TYPE=\"COMBOBOX\"><X/><Y STRING=\"IDS_Y\"/></C><Q TYPE=\"CHECKBOX\" CURRENT=\"On\"/>");
        const auto *b5 =
            qobject_cast<PaperSizeParameter *>(findAs<ListElement>(*parser, "P")->parameterAt(0));
        QCOMPARE(b5->maxTopMargin(), QString("9"));
        QVERIFY(b5->linesPortrait().isNull());
        const auto *combo = findAs<ListElement>(*parser, "C");
        QVERIFY(!qobject_cast<PaperSizeParameter *>(combo->parameterAt(0)));
        QCOMPARE(combo->parameterAt(0)->id(), QString("X"));
        QCOMPARE(combo->parameterAt(0)->string(), QString("X"));
        QCOMPARE(combo->findParameter("Y")->title(), QString("IDS_Y"));
        QVERIFY(findAs<ListElement>(*parser, "Q")->parameters().empty());
        QCOMPARE(findAs<ListElement>(*parser, "Q")->current(), QString("On"));
    }

    void groupAndPopupMembers()
    {
        // MissingType, EmptyType and NoTypeInner have no TYPE to go by.
        for (int i = 0; i < 3; ++i)
            QTest::ignoreMessage(QtWarningMsg, "Wrong VLM formal!");
        LogCapture log;
        auto parser = parsedFile("group_popup_members.xml");
        QCOMPARE(log.count(skipped), 2);
        QVERIFY(log.contains("<UnknownType>"));
        QVERIFY(log.contains("<MaintenanceType>"));

        const auto *area = findAs<ComplexElement>(*parser, "ScanArea");
        QCOMPARE(area->elements().size(), 2);
        QCOMPARE(area->elements().at(1)->id(), QString("AreaHeight"));
        QCOMPARE(area->elements().at(1)->parentElement(), area);
        QCOMPARE(area->elements().at(1)->node(), area->node());

        const auto *mail = findAs<FormElement>(*parser, "ScanToEmail");
        QCOMPARE(mail->elements().size(), 3);
        QVERIFY(mail->hasDefault());
        QVERIFY(!findAs<FormElement>(*parser, "ScanToFolder")->hasDefault());
        const auto *options = findAs<ComplexElement>(*parser, "MailOptions");
        QCOMPARE(options->parentElement(), mail);
        QCOMPARE(parser->findElement("MailResolution")->parentElement(), options);
    }

    void aboutSettings()
    {
        AboutInfo info;
        info.model = "VMF-4000";
        info.version = Version(1, 2, 3);
        SettingsParser parser(QString("<root><PrinterSettingsInfo><A><First TYPE=\"ABOUT\" STRING=\"IDS_X\"/>"
                                      "</A><B><Second TYPE=\"ABOUT\"/></B></PrinterSettingsInfo></root>"));
        parser.setAboutInfo(info);
        QVERIFY(parser.parse());
        info.model = "changed afterwards";

        const NodeDesc *root = parser.root();
        const auto *first = qobject_cast<AboutElement *>(root->children().at(0)->elements().front().get());
        const auto *second = qobject_cast<AboutElement *>(root->children().at(1)->elements().front().get());
        QCOMPARE(first->id(), QString("AboutElement"));
        QCOMPARE(first->string(), QString("About"));
        QCOMPARE(parser.findElement("AboutElement"), first);
        // Each holds its own copy of what the parser had at build time.
        QVERIFY(first->aboutInfo() && second->aboutInfo() && first->aboutInfo() != second->aboutInfo());
        QCOMPARE(first->aboutInfo()->model, QString("VMF-4000"));
        QCOMPARE(second->aboutInfo()->version.minor, 2u);

        auto without = parsedSettings(QString("<X TYPE=\"ABOUT\"/>"));
        QVERIFY(!findAs<AboutElement>(*without, "AboutElement")->aboutInfo());
    }

    void deepGroupsAreCut()
    {
        QString text("<root><PrinterSettingsInfo><C>");
        for (int i = 0; i < 400; ++i)
            text += QString("<G%1 TYPE=\"GROUP\">").arg(i);
        for (int i = 399; i >= 0; --i)
            text += QString("</G%1>").arg(i);
        LogCapture log;
        SettingsParser parser(text + QString("</C></PrinterSettingsInfo></root>"));
        QVERIFY(parser.parse());
        QVERIFY(log.contains("levels deep; what it holds is left out"));
        // Below the category, groups G0 to G254 fill the levels up to the limit.
        QVERIFY(parser.findElement("G254"));
        QVERIFY(!parser.findElement("G255"));
        QVERIFY(parser.getChanges(QString()).isNull());
    }

    void specialCharactersPassThrough()
    {
        LogCapture log;
        auto parser = parsedFile("special_characters.xml");
        QCOMPARE(parser->root()->title(), QString("IDS_SETTINGS & \"MORE\""));
        QCOMPARE(parser->root()->children().front()->id(), QString("Réglages"));
        QCOMPARE(findAs<BoundaryElement>(*parser, "Owner")->current(), QString("O'Brien & Sons"));
        QCOMPARE(findAs<ListElement>(*parser, "Qualität")->parameterAt(1)->string(),
                 QString("IDS_HÖCHSTE %s"));
        QCOMPARE(findAs<SliderElement>(*parser, "Плотность")->colorMarker(), QString("%s%d%n"));
        QCOMPARE(findAs<TextElement>(*parser, "Toner")->format(), QString("Toner: %s"));
        QCOMPARE(parser->findElement("Sender")->string(), QString("IDS_SENDER %1"));
        // Not an edit-box value: started empty, the device's text kept as initial value.
        const auto *fax = findAs<BoundaryElement>(*parser, "FaxHeader");
        QCOMPARE(fax->current(), QString(""));
        QCOMPARE(fax->initial(), QString("東京オフィス %d%%"));
        // The trace shows such texts literally.
        QVERIFY(log.contains("setTemp for Toner to 75%"));
    }
};

QTEST_MAIN(TestElementBuilders)
#include "tst_elementbuilders.moc"

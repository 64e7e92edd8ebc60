// The builders behind SettingsParser: which class each control keyword
// yields and what it reads from the description node.
#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "model/elementtype.h"
#include "model/formelement.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/sliderelement.h"
#include "model/textelement.h"

class TestElementBuilders : public QObject
{
    Q_OBJECT
    ScratchDir m_dir;

private slots:
    void everyKeyword_data()
    {
        // Each setting of the keyword file is named after its keyword.
        addColumns<int, QString>({"type", "className"});
        addRow("AboutElement", int(stAbout), "AboutElement");
        addRow("StaticTextSetting", int(stText), "TextElement");
        addRow("ComboBoxSetting", int(stList), "ListElement");
        addRow("RadioButtonSetting", int(stRadio), "ListElement");
        addRow("PaperSizeSetting", int(stPaperSize), "ListElement");
        addRow("FloatSetting", int(stFloat), "FloatElement");
        addRow("SliderSetting", int(stSlider), "SliderElement");
        addRow("EditBoxSetting", int(stEdit), "BoundaryElement");
        addRow("DialEditBoxSetting", int(stDialEdit), "BoundaryElement");
        addRow("IpAddressSetting", int(stIPAddress), "FactoryElement");
        addRow("SubnetMaskSetting", int(stSubnetMask), "FactoryElement");
        addRow("ButtonSetting", int(stButton), "ButtonElement");
        addRow("GroupSetting", int(stGroup), "ComplexElement");
        addRow("IntegerSetting", int(stInteger), "NumericElement"); // in the group
        addRow("PopupSetting", int(stForm), "FormElement");
        addRow("CheckBoxSetting", int(stCheckbox), "ListElement"); // in the pop-up
        addRow("PhoneBookSetting", int(stPhoneBook), "PhoneBookElement");
        addRow("EmailBookSetting", int(stEmailBook), "EmailBookElement");
        addRow("AddressBookSetting", int(stAddressBook), "AddressBookElement");
        addRow("TestPageSetting", int(stInkTestPagePrint), "InkTestPagePrintElement");
        addRow("TestPageXmlSetting", int(stInkTestPagePrint_XML), "InkTestPagePrintElement");
        addRow("CleanSetting", int(stInkCartridgeClean), "InkCartridgeCleanElement");
        addRow("CleanXmlSetting", int(stInkCartridgeClean_XML), "InkCartridgeCleanElement");
        addRow("AlignSfpSetting", int(stInkCartridgeAlignSFP), "InkCartridgeAlignSFPElement");
        addRow("AlignSfpXmlSetting", int(stInkCartridgeAlignSFP_XML), "InkCartridgeAlignSFPElement");
        addRow("AlignMfpSetting", int(stInkCartridgeAlignMFP), "InkCartridgeAlignMFPElement");
        addRow("AlignMfpXmlSetting", int(stInkCartridgeAlignMFP_XML), "InkCartridgeAlignMFPElement");
    }
    void everyKeyword()
    {
        QFETCH(int, type);
        QFETCH(QString, className);

        auto parser = parsedFile("all_control_keywords.xml");
        const Element *element = parser->findElement(QTest::currentDataTag());
        QVERIFY(element && element->node());
        QCOMPARE(element->type(), type);
        QCOMPARE(QString(element->metaObject()->className()), className);
    }

    void readsAttributes_data()
    {
        addColumns<QString, QString, QString>({"attributes", "property", "value"});
        addRow("digits from STEP", "TYPE=\"FLOAT\" STEP=\"0.05\"", "digits", "2");
        addRow("DIGITS wins over STEP", "TYPE=\"FLOAT\" STEP=\"0.05\" DIGITS=\"3\"", "digits", "3");
        addRow("digits after a trailing dot", "TYPE=\"FLOAT\" STEP=\"10.\"", "digits", "0");
        addRow("no BUTTONLABEL stays null", "TYPE=\"BUTTON\"", "label", QString());
        addRow("TEXTLABEL kept literally", "TYPE=\"STATICTEXT\" TEXTLABEL=\"%s%n pages\"", "format",
               "%s%n pages");
        addRow("dial box refuses a hyphen", "TYPE=\"DIALEDITBOX\" CURRENT=\"030-1\"", "current", "");
        addRow("dial box without CURRENT", "TYPE=\"DIALEDITBOX\"", "current", QString());
        addRow("photo ink for TRUE", "TYPE=\"CARTRIDGE_ALIGN_HP_INK_SFP\" PhotoInkCartridgeInstall=\"TRUE\"",
               "hasPhotoInk", "true");
        addRow("none for true", "TYPE=\"CARTRIDGE_ALIGN_HP_INK_SFP\" PhotoInkCartridgeInstall=\"true\"",
               "hasPhotoInk", "false");
    }
    void readsAttributes()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, property);
        QFETCH(QString, value);

        auto parser = parsedSettings(QString("<S %1/>").arg(attributes));
        const Element *element = parser->findElement("S");
        QVERIFY(element && element->metaObject()->indexOfProperty(qPrintable(property)) >= 0);
        const QString read = element->property(qPrintable(property)).toString();
        QCOMPARE(read, value);
        QCOMPARE(read.isNull(), value.isNull());
    }

    void groupAndPopupMembers()
    {
        // MissingType, EmptyType and NoTypeInner have no TYPE to go by.
        for (int i = 0; i < 3; ++i)
            QTest::ignoreMessage(QtWarningMsg, "Wrong VLM formal!");
        LogCapture log;
        auto parser = parsedFile("group_popup_members.xml");
        QCOMPARE(log.count("!!! The following element has been skipped: !!!"), 2);
        QVERIFY(log.contains("<UnknownType>") && log.contains("<MaintenanceType>"));
        const auto *area = findAs<ComplexElement>(*parser, "ScanArea");
        QCOMPARE(area->elements().size(), 2);
        QCOMPARE(area->elements().at(1)->parentElement(), area);
        const auto *mail = findAs<FormElement>(*parser, "ScanToEmail");
        QCOMPARE(mail->elements().size(), 3);
        QVERIFY(mail->hasDefault() && !findAs<FormElement>(*parser, "ScanToFolder")->hasDefault());
        QCOMPARE(parser->findElement("MailResolution")->parentElement()->parentElement(), mail);
    }

    void deepGroupsAreCut()
    {
        QString text;
        for (int i = 0; i < 400; ++i)
            text += QString("<G%1 TYPE=\"GROUP\">").arg(i);
        for (int i = 399; i >= 0; --i)
            text += QString("</G%1>").arg(i);
        auto parser = parsedSettings(text);
        // Below the category, groups G0 to G254 fill the levels up to the limit.
        QVERIFY(parser->findElement("G254"));
        QVERIFY(!parser->findElement("G255"));
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
        QCOMPARE(findAs<BoundaryElement>(*parser, "FaxHeader")->initial(), QString("東京オフィス %d%%"));
        // The trace shows such texts literally.
        QVERIFY(log.contains("setTemp for Toner to 75%"));
    }
};

QTEST_MAIN(TestElementBuilders)
#include "tst_elementbuilders.moc"

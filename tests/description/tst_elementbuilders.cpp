// The builders behind SettingsParser: which class each control keyword
// yields and what it reads from the description node.
#include "app/aboutinfo.h"
#include "common/logcapture.h"
#include "description/nodedesc.h"
#include "description/papersizeparameter.h"
#include "description/settingsparser.h"
#include "elements/aboutelement.h"
#include "elements/buttonelement.h"
#include "elements/complexelement.h"
#include "elements/elementtype.h"
#include "elements/floatelement.h"
#include "elements/formelement.h"
#include "elements/inkcartridgealignsfpelement.h"
#include "elements/listelement.h"
#include "elements/sliderelement.h"
#include "elements/textelement.h"

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

std::unique_ptr<SettingsParser> parsedFile(const QString &name)
{
    QFile file(dataPath(name));
    auto parser = std::make_unique<SettingsParser>(&file);
    (void)parser->parse();
    return parser;
}

// One category holding the given settings.
std::unique_ptr<SettingsParser> parsedSettings(const QString &settings)
{
    auto parser = std::make_unique<SettingsParser>(
        QStringLiteral("<root><PrinterSettingsInfo><Test>%1</Test></PrinterSettingsInfo></root>")
            .arg(settings));
    (void)parser->parse();
    return parser;
}

template <typename Kind> Kind *find(const SettingsParser &parser, const QString &id)
{
    return qobject_cast<Kind *>(parser.findElement(id));
}

} // namespace

class TestElementBuilders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyKeyword_data();
    void everyKeyword();
    void textKeys_data();
    void textKeys();
    void valueState();
    void floatDigits_data();
    void floatDigits();
    void editBoxFilter_data();
    void editBoxFilter();
    void options();
    void checkBoxWithoutOptions();
    void buttonsIgnoreCurrent();
    void photoInk();
    void groupAndPopupMembers();
    void popupDefaultButton();
    void aboutSettings();
    void deepGroupsAreCut();
    void specialCharactersPassThrough();
    void sampleBuildsEverySetting();

private:
    std::unique_ptr<QTemporaryDir> m_workDir;
    QString m_previousDir;
};

void TestElementBuilders::init()
{
    m_previousDir = QDir::currentPath();
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_workDir->path()));
}

void TestElementBuilders::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_workDir.reset();
}

void TestElementBuilders::everyKeyword_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("className");

    QTest::newRow("ABOUT") << "AboutElement" << int(stAbout) << "AboutElement";
    QTest::newRow("STATICTEXT") << "StaticTextSetting" << int(stText) << "TextElement";
    QTest::newRow("COMBOBOX") << "ComboBoxSetting" << int(stList) << "ListElement";
    QTest::newRow("RADIOBUTTON") << "RadioButtonSetting" << int(stRadio) << "ListElement";
    QTest::newRow("PAPERSIZE") << "PaperSizeSetting" << int(stPaperSize) << "ListElement";
    QTest::newRow("FLOAT") << "FloatSetting" << int(stFloat) << "FloatElement";
    QTest::newRow("SLIDER") << "SliderSetting" << int(stSlider) << "SliderElement";
    QTest::newRow("EDITBOX") << "EditBoxSetting" << int(stEdit) << "BoundaryElement";
    QTest::newRow("DIALEDITBOX") << "DialEditBoxSetting" << int(stDialEdit) << "BoundaryElement";
    QTest::newRow("IPADDRESS") << "IpAddressSetting" << int(stIPAddress) << "FactoryElement";
    QTest::newRow("SUBNETMASK") << "SubnetMaskSetting" << int(stSubnetMask) << "FactoryElement";
    QTest::newRow("BUTTON") << "ButtonSetting" << int(stButton) << "ButtonElement";
    QTest::newRow("GROUP") << "GroupSetting" << int(stGroup) << "ComplexElement";
    QTest::newRow("INTEGER in a group") << "IntegerSetting" << int(stInteger) << "NumericElement";
    QTest::newRow("POPUP") << "PopupSetting" << int(stForm) << "FormElement";
    QTest::newRow("CHECKBOX in a pop-up") << "CheckBoxSetting" << int(stCheckbox) << "ListElement";
    QTest::newRow("PHONEBOOK") << "PhoneBookSetting" << int(stPhoneBook) << "PhoneBookElement";
    QTest::newRow("EMAILBOOK") << "EmailBookSetting" << int(stEmailBook) << "EmailBookElement";
    QTest::newRow("USERBASEDADDRESSBOOK")
        << "AddressBookSetting" << int(stAddressBook) << "AddressBookElement";
    QTest::newRow("BUTTON_TESTPAGE_HP_INK")
        << "TestPageSetting" << int(stInkTestPagePrint) << "InkTestPagePrintElement";
    QTest::newRow("BUTTON_TESTPAGE_HP_INK_XML")
        << "TestPageXmlSetting" << int(stInkTestPagePrint_XML) << "InkTestPagePrintElement";
    QTest::newRow("CARTRIDGE_CLEAN_HP_INK")
        << "CleanSetting" << int(stInkCartridgeClean) << "InkCartridgeCleanElement";
    QTest::newRow("CARTRIDGE_CLEAN_HP_INK_XML")
        << "CleanXmlSetting" << int(stInkCartridgeClean_XML) << "InkCartridgeCleanElement";
    QTest::newRow("CARTRIDGE_ALIGN_HP_INK_SFP")
        << "AlignSfpSetting" << int(stInkCartridgeAlignSFP) << "InkCartridgeAlignSFPElement";
    QTest::newRow("CARTRIDGE_ALIGN_HP_INK_SFP_XML")
        << "AlignSfpXmlSetting" << int(stInkCartridgeAlignSFP_XML) << "InkCartridgeAlignSFPElement";
    QTest::newRow("CARTRIDGE_ALIGN_HP_INK_MFP")
        << "AlignMfpSetting" << int(stInkCartridgeAlignMFP) << "InkCartridgeAlignMFPElement";
    QTest::newRow("CARTRIDGE_ALIGN_HP_INK_MFP_XML")
        << "AlignMfpXmlSetting" << int(stInkCartridgeAlignMFP_XML) << "InkCartridgeAlignMFPElement";
}

void TestElementBuilders::everyKeyword()
{
    QFETCH(QString, id);
    QFETCH(int, type);
    QFETCH(QString, className);

    LogCapture log;
    auto parser = parsedFile(QStringLiteral("all_control_keywords.xml"));
    QVERIFY(!log.contains(QStringLiteral("!!! The following element has been skipped: !!!")));
    Element *element = parser->findElement(id);
    QVERIFY(element);
    QCOMPARE(element->type(), type);
    QCOMPARE(QString::fromLatin1(element->metaObject()->className()), className);
    QVERIFY(element->node());
    const bool maintenance = type >= stInkTestPagePrint && type <= stInkCartridgeAlignMFP_XML;
    QCOMPARE(element->node()->id(), maintenance ? QStringLiteral("Care") : QStringLiteral("Controls"));
}

void TestElementBuilders::textKeys_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("string");
    QTest::addColumn<QString>("title");

    QTest::newRow("STRING given") << "<S TYPE=\"INTEGER\" STRING=\"IDS_S\"/>"
                                  << "IDS_S"
                                  << "IDS_S";
    QTest::newRow("STRING absent: the id") << "<S TYPE=\"INTEGER\"/>"
                                           << "S"
                                           << "S";
    QTest::newRow("STRING empty: kept, id shown") << "<S TYPE=\"BUTTON\" STRING=\"\"/>"
                                                  << ""
                                                  << "S";
}

void TestElementBuilders::textKeys()
{
    QFETCH(QString, setting);
    QFETCH(QString, string);
    QFETCH(QString, title);

    auto parser = parsedSettings(setting);
    const Element *element = parser->findElement(QStringLiteral("S"));
    QVERIFY(element);
    QCOMPARE(element->string(), string);
    QVERIFY(!element->string().isNull());
    QCOMPARE(element->title(), title);
    QCOMPARE(element->desc(), title);
}

void TestElementBuilders::valueState()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));

    const auto *rings = find<NumericElement>(*parser, QStringLiteral("RingsToAnswer"));
    QVERIFY(rings);
    QCOMPARE(rings->current(), QStringLiteral("3"));
    QCOMPARE(rings->initial(), QStringLiteral("3"));
    QCOMPARE(rings->objectName(), QStringLiteral("3"));
    QCOMPARE(rings->temp(), QStringLiteral("3"));
    QVERIFY(rings->hasFactory());
    QCOMPARE(rings->factory(), QStringLiteral("2"));
    QCOMPARE(rings->min(), QStringLiteral("1"));
    QCOMPARE(rings->max(), QStringLiteral("9"));
    QVERIFY(rings->hasMax());
    QCOMPARE(rings->step(), QStringLiteral("1"));
    QCOMPARE(rings->parentElement(), parser->findElement(QStringLiteral("FaxReceive")));

    const auto *balance = find<SliderElement>(*parser, QStringLiteral("ColorBalance"));
    QCOMPARE(balance->min(), QStringLiteral("-5"));
    QCOMPARE(balance->max(), QStringLiteral("5"));
    QCOMPARE(balance->colorMarker(), QStringLiteral("00A0E0"));

    const auto *counter = find<TextElement>(*parser, QStringLiteral("PageCounter"));
    QCOMPARE(counter->current(), QStringLiteral("18342"));
    QCOMPARE(counter->format(), QStringLiteral("%s pages"));
    QVERIFY(find<TextElement>(*parser, QStringLiteral("SerialNumber"))->format().isNull());

    // Absent attributes stay absent: no factory, no maximum, null bounds.
    auto bare = parsedSettings(QStringLiteral("<N TYPE=\"INTEGER\"/><E TYPE=\"EDITBOX\" CURRENT=\"x\"/>"));
    const auto *number = find<NumericElement>(*bare, QStringLiteral("N"));
    QVERIFY(!number->hasFactory());
    QVERIFY(!number->hasMax());
    QVERIFY(number->min().isNull());
    QVERIFY(number->step().isNull());
    QVERIFY(number->current().isNull());
    QVERIFY(!find<BoundaryElement>(*bare, QStringLiteral("E"))->hasMax());
}

void TestElementBuilders::floatDigits_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QString>("digits");

    QTest::newRow("STEP 0.05") << "STEP=\"0.05\""
                               << "2";
    QTest::newRow("STEP 5") << "STEP=\"5\""
                            << "1";
    QTest::newRow("DIGITS wins over STEP") << "STEP=\"0.05\" DIGITS=\"3\""
                                           << "3";
    QTest::newRow("neither") << ""
                             << "1";
    QTest::newRow("STEP 0.25") << "STEP=\"0.25\""
                               << "2";
    QTest::newRow("trailing dot") << "STEP=\"10.\""
                                  << "0";
    QTest::newRow("leading dot") << "STEP=\".5\""
                                 << "1";
    QTest::newRow("last dot counts") << "STEP=\"1.2.345\""
                                     << "3";
    QTest::newRow("empty DIGITS kept") << "STEP=\"0.5\" DIGITS=\"\""
                                       << "";
}

void TestElementBuilders::floatDigits()
{
    QFETCH(QString, attributes);
    QFETCH(QString, digits);

    auto parser = parsedSettings(QStringLiteral("<F TYPE=\"FLOAT\" CURRENT=\"1\" %1/>").arg(attributes));
    const auto *number = find<FloatElement>(*parser, QStringLiteral("F"));
    QVERIFY(number);
    QCOMPARE(number->digits(), digits);
}

void TestElementBuilders::editBoxFilter_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("initial");

    QTest::newRow("edit box, allowed punctuation") << "StationGood"
                                                   << "Office #2, 3rd floor"
                                                   << "Office #2, 3rd floor";
    QTest::newRow("edit box, umlaut and underscore") << "StationBad"
                                                     << ""
                                                     << "Büro_2";
    QTest::newRow("dial, plus digits blanks") << "NumberGood"
                                              << "+49 30 1234567"
                                              << "+49 30 1234567";
    QTest::newRow("dial, hyphen") << "NumberBad"
                                  << ""
                                  << "030-1234567";
    QTest::newRow("dial, empty") << "NumberEmpty"
                                 << ""
                                 << "";
    QTest::newRow("dial, absent") << "NumberAbsent" << QString() << QString();
}

void TestElementBuilders::editBoxFilter()
{
    QFETCH(QString, id);
    QFETCH(QString, current);
    QFETCH(QString, initial);

    auto parser = parsedFile(QStringLiteral("edit_current_mismatch.xml"));
    const auto *edit = find<BoundaryElement>(*parser, id);
    QVERIFY(edit);
    QCOMPARE(edit->current(), current);
    QCOMPARE(edit->current().isNull(), current.isNull());
    QCOMPARE(edit->initial(), initial);
    QCOMPARE(edit->initial().isNull(), initial.isNull());
    QCOMPARE(edit->temp(), current);
    QCOMPARE(edit->objectName(), initial);
}

void TestElementBuilders::options()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    const auto *source = find<ListElement>(*parser, QStringLiteral("PaperSource"));
    QCOMPARE(int(source->parameters().size()), 4);
    QCOMPARE(source->parameterAt(3)->id(), QStringLiteral("ManualFeed"));
    QCOMPARE(source->parameterAt(3)->title(), QStringLiteral("IDS_SOURCE_MANUAL"));
    QVERIFY(source->parameterAt(3)->visible());
    QVERIFY(!qobject_cast<PaperSizeParameter *>(source->parameterAt(0)));

    const auto *paper = find<ListElement>(*parser, QStringLiteral("PaperSize"));
    QCOMPARE(int(paper->parameters().size()), 6);
    const auto *dl = qobject_cast<PaperSizeParameter *>(paper->findParameter(QStringLiteral("EnvelopeDL")));
    QVERIFY(dl);
    QCOMPARE(dl->maxTopMargin(), QStringLiteral("10"));
    QCOMPARE(dl->linesLandscape(), QStringLiteral("19"));

    // An option without attributes: its tag is value, key and title; a
    // paper-size value that is not given reads null, not "0".
    auto bare = parsedSettings(QStringLiteral(
        "<P TYPE=\"PAPERSIZE\" CURRENT=\"B5\"><B5 MAXTOPMARGIN=\"9\"/></P><C TYPE=\"COMBOBOX\"><X/></C>"));
    const auto *b5 =
        qobject_cast<PaperSizeParameter *>(find<ListElement>(*bare, QStringLiteral("P"))->parameterAt(0));
    QCOMPARE(b5->maxTopMargin(), QStringLiteral("9"));
    QVERIFY(b5->linesPortrait().isNull());
    const Parameter *x = find<ListElement>(*bare, QStringLiteral("C"))->parameterAt(0);
    QCOMPARE(x->id(), QStringLiteral("X"));
    QCOMPARE(x->string(), QStringLiteral("X"));
    QCOMPARE(x->desc(), QStringLiteral("X"));
}

void TestElementBuilders::checkBoxWithoutOptions()
{
    auto parser = parsedSettings(QStringLiteral("<Quiet TYPE=\"CHECKBOX\" CURRENT=\"On\" FACTORY=\"Off\"/>"));
    const auto *quiet = find<ListElement>(*parser, QStringLiteral("Quiet"));
    QVERIFY(quiet);
    QVERIFY(quiet->parameters().empty());
    QCOMPARE(quiet->current(), QStringLiteral("On"));
    QCOMPARE(quiet->factory(), QStringLiteral("Off"));
}

void TestElementBuilders::buttonsIgnoreCurrent()
{
    auto parser = parsedSettings(QStringLiteral("<B TYPE=\"BUTTON\" CURRENT=\"x\" BUTTONLABEL=\"IDS_GO\"/>"
                                                "<Bare TYPE=\"BUTTON\"/>"));
    const auto *button = find<ButtonElement>(*parser, QStringLiteral("B"));
    QVERIFY(button);
    QVERIFY(!button->isConcrete());
    QVERIFY(button->objectName().isEmpty());
    QCOMPARE(button->label(), QStringLiteral("IDS_GO"));
    QVERIFY(find<ButtonElement>(*parser, QStringLiteral("Bare"))->label().isNull());
    // Not part of a change set, whatever CURRENT said.
    QVERIFY(parser->getChanges(QString()).isNull());
}

void TestElementBuilders::photoInk()
{
    auto parser = parsedFile(QStringLiteral("all_control_keywords.xml"));
    QVERIFY(find<InkCartridgeAlignSFPElement>(*parser, QStringLiteral("AlignSfpSetting"))->hasPhotoInk());
    // Exactly "TRUE": lower case does not count.
    QVERIFY(!find<InkCartridgeAlignSFPElement>(*parser, QStringLiteral("AlignSfpXmlSetting"))->hasPhotoInk());
    QCOMPARE(find<ButtonElement>(*parser, QStringLiteral("AlignSfpSetting"))->label(),
             QStringLiteral("IDS_START"));
}

void TestElementBuilders::groupAndPopupMembers()
{
    // MissingType, EmptyType and NoTypeInner have no TYPE to go by.
    for (int i = 0; i < 3; ++i)
        QTest::ignoreMessage(QtWarningMsg, "Wrong VLM formal!");
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("group_popup_members.xml"));
    QCOMPARE(log.count(QStringLiteral("!!! The following element has been skipped: !!!")), 2);
    QVERIFY(log.contains(QStringLiteral("<UnknownType>")));
    QVERIFY(log.contains(QStringLiteral("<MaintenanceType>")));

    const auto *area = find<ComplexElement>(*parser, QStringLiteral("ScanArea"));
    QCOMPARE(area->elements().size(), 2);
    QCOMPARE(area->elements().at(0)->id(), QStringLiteral("AreaWidth"));
    QCOMPARE(area->elements().at(1)->id(), QStringLiteral("AreaHeight"));
    QCOMPARE(area->elements().at(1)->parentElement(), area);
    QCOMPARE(area->elements().at(1)->node(), area->node());

    const auto *mail = find<FormElement>(*parser, QStringLiteral("ScanToEmail"));
    QCOMPARE(mail->elements().size(), 3);
    const auto *options = find<ComplexElement>(*parser, QStringLiteral("MailOptions"));
    QCOMPARE(options->parentElement(), mail);
    QCOMPARE(options->elements().size(), 1);
    QCOMPARE(parser->findElement(QStringLiteral("MailResolution"))->parentElement(), options);
}

void TestElementBuilders::popupDefaultButton()
{
    auto parser = parsedFile(QStringLiteral("group_popup_members.xml"));
    QVERIFY(find<FormElement>(*parser, QStringLiteral("ScanToEmail"))->hasDefault());
    QVERIFY(!find<FormElement>(*parser, QStringLiteral("ScanToFolder"))->hasDefault());
}

void TestElementBuilders::aboutSettings()
{
    AboutInfo info;
    info.model = QStringLiteral("VMF-4000");
    info.version = Version(1, 2, 3);

    SettingsParser parser(
        QStringLiteral("<root><PrinterSettingsInfo><A><First TYPE=\"ABOUT\" STRING=\"IDS_X\"/>"
                       "</A><B><Second TYPE=\"ABOUT\"/></B></PrinterSettingsInfo></root>"));
    parser.setAboutInfo(info);
    QVERIFY(parser.parse());
    info.model = QStringLiteral("changed afterwards");

    const NodeDesc *root = parser.root();
    const auto *first = qobject_cast<AboutElement *>(root->children().at(0)->elements().front().get());
    const auto *second = qobject_cast<AboutElement *>(root->children().at(1)->elements().front().get());
    QVERIFY(first && second);
    QCOMPARE(first->id(), QStringLiteral("AboutElement"));
    QCOMPARE(second->id(), QStringLiteral("AboutElement"));
    QCOMPARE(first->string(), QStringLiteral("About"));
    QCOMPARE(first->title(), QStringLiteral("About"));
    QCOMPARE(parser.findElement(QStringLiteral("AboutElement")), first);
    // Each holds its own copy of what the parser had at build time.
    QVERIFY(first->aboutInfo() && second->aboutInfo());
    QVERIFY(first->aboutInfo() != second->aboutInfo());
    QCOMPARE(first->aboutInfo()->model, QStringLiteral("VMF-4000"));
    QCOMPARE(second->aboutInfo()->version.minor, 2u);

    SettingsParser without(QStringLiteral("<root><PrinterSettingsInfo><A><X TYPE=\"ABOUT\"/></A>"
                                          "</PrinterSettingsInfo></root>"));
    QVERIFY(without.parse());
    QVERIFY(!qobject_cast<AboutElement *>(without.findElement(QStringLiteral("AboutElement")))->aboutInfo());
}

void TestElementBuilders::deepGroupsAreCut()
{
    const int depth = 400;
    QString text = QStringLiteral("<root><PrinterSettingsInfo><C>");
    for (int i = 0; i < depth; ++i)
        text += QStringLiteral("<G%1 TYPE=\"GROUP\">").arg(i);
    for (int i = depth - 1; i >= 0; --i)
        text += QStringLiteral("</G%1>").arg(i);
    text += QStringLiteral("</C></PrinterSettingsInfo></root>");

    LogCapture log;
    SettingsParser parser(text);
    QVERIFY(parser.parse());
    QVERIFY(log.contains(QStringLiteral("levels deep; what it holds is left out")));
    // Below the category, groups G0 to G254 fill the levels up to the limit.
    QVERIFY(parser.findElement(QStringLiteral("G254")));
    QVERIFY(!parser.findElement(QStringLiteral("G255")));
    QVERIFY(parser.getChanges(QString()).isNull());
}

void TestElementBuilders::specialCharactersPassThrough()
{
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("special_characters.xml"));
    QCOMPARE(parser->root()->title(), QStringLiteral("IDS_SETTINGS & \"MORE\""));
    QCOMPARE(parser->root()->children().front()->id(), QStringLiteral("Réglages"));

    QCOMPARE(find<BoundaryElement>(*parser, QStringLiteral("Owner"))->current(),
             QStringLiteral("O'Brien & Sons"));
    QCOMPARE(find<ListElement>(*parser, QStringLiteral("Qualität"))->parameterAt(1)->string(),
             QStringLiteral("IDS_HÖCHSTE %s"));
    const auto *density = find<SliderElement>(*parser, QStringLiteral("Плотность"));
    QVERIFY(density);
    QCOMPARE(density->colorMarker(), QStringLiteral("%s%d%n"));
    QCOMPARE(find<TextElement>(*parser, QStringLiteral("Toner"))->format(), QStringLiteral("Toner: %s"));
    QCOMPARE(parser->findElement(QStringLiteral("Sender"))->string(), QStringLiteral("IDS_SENDER %1"));
    // Not an edit-box value: started empty, the device's text kept as initial value.
    const auto *fax = find<BoundaryElement>(*parser, QStringLiteral("FaxHeader"));
    QCOMPARE(fax->current(), QString(""));
    QCOMPARE(fax->initial(), QStringLiteral("東京オフィス %d%%"));
    // The trace shows such texts literally.
    QVERIFY(log.contains(QStringLiteral("setTemp for Toner to 75%")));
}

void TestElementBuilders::sampleBuildsEverySetting()
{
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    QVERIFY(!log.contains(QStringLiteral("!!! The following element has been skipped: !!!")));
    const QStringList ids{"AboutElement",
                          "FirmwareVersion",
                          "PaperSize",
                          "MediaType",
                          "Copies",
                          "TopMargin",
                          "PrintDensity",
                          "Orientation",
                          "AddressMode",
                          "IPAddress",
                          "SubnetMask",
                          "Gateway",
                          "HostName",
                          "AllowedNetwork",
                          "AllowedMask",
                          "FaxNumber",
                          "PhoneBook",
                          "EmailBook",
                          "AddressBook",
                          "FaxReceive",
                          "ReceiveMode",
                          "RingsToAnswer",
                          "ReduceToFit",
                          "FaxHeader",
                          "HeaderName",
                          "HeaderNumber",
                          "PrintHeader",
                          "RestoreFactory",
                          "PrintTestPage",
                          "PrintTestPageXml",
                          "CleanCartridges",
                          "AlignCartridgesSfpXml",
                          "AlignCartridgesMfpXml"};
    for (const QString &id : ids)
        QVERIFY2(parser->findElement(id), qPrintable(id));
    // SubnetMask was described as an address and is built as a mask.
    QCOMPARE(parser->findElement(QStringLiteral("SubnetMask"))->type(), int(stSubnetMask));
    QVERIFY(!parser->findElement(QStringLiteral("SSID")));
}

QTEST_MAIN(TestElementBuilders)
#include "tst_elementbuilders.moc"

#include "common/logcapture.h"
#include "elements/aboutelement.h"
#include "elements/addressbookelement.h"
#include "elements/buttonelement.h"
#include "elements/elementtype.h"
#include "elements/emailbookelement.h"
#include "elements/inkcartridgealignmfpelement.h"
#include "elements/inkcartridgealignsfpelement.h"
#include "elements/inkcartridgecleanelement.h"
#include "elements/inktestpageprintelement.h"
#include "elements/phonebookelement.h"
#include "window/aboutwidget.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The button kind the description builds for a control keyword.
std::unique_ptr<ButtonElement> makeButton(const QByteArray &keyword)
{
    const int type = ElementTypeFromKeyword(QString::fromLatin1(keyword));
    switch (type) {
    case stPhoneBook:
        return std::make_unique<PhoneBookElement>(keyword, nullptr, nullptr);
    case stEmailBook:
        return std::make_unique<EmailBookElement>(keyword, nullptr, nullptr);
    case stAddressBook:
        return std::make_unique<AddressBookElement>(keyword, nullptr, nullptr);
    case stInkTestPagePrint:
    case stInkTestPagePrint_XML:
        return std::make_unique<InkTestPagePrintElement>(keyword, nullptr, nullptr);
    case stInkCartridgeClean:
    case stInkCartridgeClean_XML:
        return std::make_unique<InkCartridgeCleanElement>(keyword, nullptr, nullptr);
    case stInkCartridgeAlignSFP:
    case stInkCartridgeAlignSFP_XML:
        return std::make_unique<InkCartridgeAlignSFPElement>(keyword, nullptr, nullptr);
    case stInkCartridgeAlignMFP:
    case stInkCartridgeAlignMFP_XML:
        return std::make_unique<InkCartridgeAlignMFPElement>(keyword, nullptr, nullptr);
    default:
        return std::make_unique<ButtonElement>(keyword, nullptr, nullptr);
    }
}

AboutInfo sampleInfo()
{
    AboutInfo info;
    info.model = "Office Jet 42";
    info.sw = "Velmora";
    info.version = Version(2, 0, 15);
    info.copyrights = "(c) the authors";
    QPixmap logo(64, 32);
    logo.fill(Qt::blue);
    info.logo = logo;
    return info;
}

} // namespace

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void buttonRow_data();
    void buttonRow();
    void rowShowHideAndDelete();
    void photoInkFlag();

    void aboutWithoutInfoHasNoControl();
    void versionText_data();
    void versionText();
    void aboutPanel();
    void aboutInfoIsCopied();
};

void TestButtons::buttonRow_data()
{
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("type");

    QTest::newRow("device button") << QByteArray("BUTTON") << "ButtonElement" << 8;
    QTest::newRow("phone book") << QByteArray("PHONEBOOK") << "PhoneBookElement" << 14;
    QTest::newRow("e-mail book") << QByteArray("EMAILBOOK") << "EmailBookElement" << 16;
    QTest::newRow("address book") << QByteArray("USERBASEDADDRESSBOOK") << "AddressBookElement" << 29;
    QTest::newRow("test page") << QByteArray("BUTTON_TESTPAGE_HP_INK") << "InkTestPagePrintElement" << 21;
    QTest::newRow("test page, device")
        << QByteArray("BUTTON_TESTPAGE_HP_INK_XML") << "InkTestPagePrintElement" << 25;
    QTest::newRow("cleaning") << QByteArray("CARTRIDGE_CLEAN_HP_INK") << "InkCartridgeCleanElement" << 22;
    QTest::newRow("cleaning, device")
        << QByteArray("CARTRIDGE_CLEAN_HP_INK_XML") << "InkCartridgeCleanElement" << 26;
    QTest::newRow("align single") << QByteArray("CARTRIDGE_ALIGN_HP_INK_SFP") << "InkCartridgeAlignSFPElement"
                                  << 23;
    QTest::newRow("align single, device")
        << QByteArray("CARTRIDGE_ALIGN_HP_INK_SFP_XML") << "InkCartridgeAlignSFPElement" << 27;
    QTest::newRow("align multi") << QByteArray("CARTRIDGE_ALIGN_HP_INK_MFP") << "InkCartridgeAlignMFPElement"
                                 << 24;
    QTest::newRow("align multi, device")
        << QByteArray("CARTRIDGE_ALIGN_HP_INK_MFP_XML") << "InkCartridgeAlignMFPElement" << 28;
}

void TestButtons::buttonRow()
{
    QFETCH(QByteArray, keyword);
    QFETCH(QString, className);
    QFETCH(int, type);

    auto element = makeButton(keyword);
    QCOMPARE(QString(element->metaObject()->className()), className);
    QVERIFY(element->inherits("ButtonElement"));
    QCOMPARE(element->type(), type);
    element->setId("Maintenance1");
    element->setTitle("Clean heads");
    element->setLabel("Start");
    QVERIFY(!element->isConcrete());

    QWidget panel;
    panel.resize(370, 145);
    LogCapture log;
    QWidget *row = element->createControl(&panel);
    QVERIFY(log.contains("ButtonElement::createControl:"));
    // The rules are checked on the new control.
    QVERIFY(log.contains("Element::checkConstraints for:"));
    QCOMPARE(row->objectName(), QString("hbox"));
    QCOMPARE(row->parentWidget(), &panel);
    QCOMPARE(row->size(), QSize(370, 24));

    auto *button = qobject_cast<QPushButton *>(element->control());
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), row);
    QVERIFY(button->objectName().isEmpty());
    QCOMPARE(button->text(), QString("Start"));
    auto *label = row->findChild<QLabel *>("label");
    QVERIFY(label);
    QCOMPARE(label->text(), QString("Clean heads : "));
    QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignVCenter);

    QSignalSpy clicked(element.get(), &ButtonElement::buttonClicked);
    log.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.at(0).at(0).toString(), QString("Maintenance1"));
    QCOMPARE(log.count("ButtonElement::onClick() is executed"), 1);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.size(), 2);
}

void TestButtons::rowShowHideAndDelete()
{
    PhoneBookElement element("PHONEBOOK", nullptr, nullptr);
    QWidget panel;
    panel.resize(370, 145);
    QPointer<QWidget> row = element.createControl(&panel);
    QPointer<QLabel> label = row->findChild<QLabel *>("label");
    QPointer<QWidget> button = element.control();
    panel.show();

    QSignalSpy visible(&element, &Element::visibleChanged);
    element.hideControl();
    QVERIFY(label->isHidden());
    QVERIFY(button->isHidden());
    element.showControl();
    QVERIFY(label->isVisible());
    QVERIFY(button->isVisible());
    QCOMPARE(visible.size(), 2);
    QCOMPARE(visible.at(0).at(0).toBool(), false);
    QCOMPARE(visible.at(1).at(0).toBool(), true);

    LogCapture log;
    element.deleteControl();
    QVERIFY(log.contains("Element::deleteControl:"));
    QVERIFY(row.isNull());
    QVERIFY(label.isNull());
    QVERIFY(button.isNull());
    QCOMPARE(element.control(), nullptr);
    QVERIFY(panel.findChildren<QWidget *>().isEmpty());
}

void TestButtons::photoInkFlag()
{
    InkCartridgeAlignSFPElement element("CARTRIDGE_ALIGN_HP_INK_SFP", nullptr, nullptr);
    QCOMPARE(element.hasPhotoInk(), false);
    // The dialog reads the flag by property name from the sender.
    QVERIFY(element.setProperty("hasPhotoInk", true));
    QCOMPARE(element.hasPhotoInk(), true);
    QCOMPARE(element.property("hasPhotoInk").toBool(), true);

    InkCartridgeAlignMFPElement multi("CARTRIDGE_ALIGN_HP_INK_MFP", nullptr, nullptr);
    QCOMPARE(multi.metaObject()->indexOfProperty("hasPhotoInk"), -1);
}

void TestButtons::aboutWithoutInfoHasNoControl()
{
    AboutElement about("ABOUT", nullptr, nullptr);
    QCOMPARE(about.aboutInfo(), nullptr);
    QWidget panel;
    panel.resize(370, 145);
    LogCapture log;
    QCOMPARE(about.createControl(&panel), nullptr);
    QCOMPARE(about.control(), nullptr);
    QVERIFY(panel.findChildren<QWidget *>().isEmpty());
    QVERIFY(log.contains("AboutElement::createControl:"));
    QVERIFY(log.contains("m_pAbout = "));
    QVERIFY(!log.contains("AboutInfo:"));
    about.deleteControl();
    QCOMPARE(about.control(), nullptr);
}

void TestButtons::versionText_data()
{
    QTest::addColumn<uint>("majorNumber");
    QTest::addColumn<uint>("minorNumber");
    QTest::addColumn<uint>("thirdNumber");
    QTest::addColumn<QString>("text");

    QTest::newRow("2.0.15") << 2u << 0u << 15u << "2.00.15";
    QTest::newRow("1.2.3") << 1u << 2u << 3u << "1.02.03";
    QTest::newRow("all zero") << 0u << 0u << 0u << "0.00.00";
    QTest::newRow("three digits stay") << 10u << 100u << 7u << "10.100.07";
}

void TestButtons::versionText()
{
    QFETCH(uint, majorNumber);
    QFETCH(uint, minorNumber);
    QFETCH(uint, thirdNumber);
    QFETCH(QString, text);
    QCOMPARE(AboutElement::versionText(Version(majorNumber, minorNumber, thirdNumber)), text);
}

void TestButtons::aboutPanel()
{
    AboutElement about("ABOUT", nullptr, nullptr);
    about.setAboutInfo(sampleInfo());
    QWidget panel;
    panel.resize(370, 145);

    LogCapture log;
    QWidget *control = about.createControl(&panel);
    auto *widget = qobject_cast<AboutWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(about.control(), control);
    QCOMPARE(widget->objectName(), QString("AboutWidget"));
    QCOMPARE(widget->parentWidget(), &panel);
    QCOMPARE(widget->geometry(), QRect(0, 0, 370, 145));
    QCOMPARE(widget->modelName(), QString("Office Jet 42"));
    QCOMPARE(widget->versionText(), QString("Velmora 2.00.15"));
    QCOMPARE(widget->copyrightText(), QString("(c) the authors"));
    QCOMPARE(widget->logoPixmap().size(), QSize(64, 32));

    const QPixmap &logo = about.aboutInfo()->logo;
    const QString block = QString("m_pAbout = \nAboutInfo:\n\tmodel: <Office Jet 42>\n\tsw: <Velmora>\n\t"
                                  "version: <2.00.15>\n\tcopyrights: <(c) the authors>\n\tlogo: 64x32x%1")
                              .arg(logo.depth());
    QVERIFY(log.lines().contains(block));
    // The About panel has no rules to check.
    QVERIFY(!log.contains("checkConstraints"));

    QPointer<QWidget> guard = control;
    log.clear();
    about.deleteControl();
    QVERIFY(guard.isNull());
    QCOMPARE(about.control(), nullptr);
    QVERIFY(!log.contains("deleteControl"));
}

void TestButtons::aboutInfoIsCopied()
{
    AboutElement about("ABOUT", nullptr, nullptr);
    AboutInfo info = sampleInfo();
    about.setAboutInfo(info);
    info.model = "changed later";
    QCOMPARE(about.aboutInfo()->model, QString("Office Jet 42"));

    AboutInfo second = sampleInfo();
    second.version = Version(3, 1, 0);
    about.setAboutInfo(second);
    QCOMPARE(about.aboutInfo()->version.minor, 1u);

    QWidget panel;
    panel.resize(370, 145);
    auto *widget = qobject_cast<AboutWidget *>(about.createControl(&panel));
    QVERIFY(widget);
    QCOMPARE(widget->versionText(), QString("Velmora 3.01.00"));
}

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"

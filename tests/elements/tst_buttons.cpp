#include "common/logcapture.h"
#include "elements/aboutelement.h"
#include "elements/inkcartridgealignmfpelement.h"
#include "elements/inkcartridgealignsfpelement.h"
#include "elements/phonebookelement.h"
#include "valuefixtures.h"
#include "window/aboutwidget.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void buttonRow()
    {
        PhoneBookElement element("PHONEBOOK", nullptr, nullptr);
        element.setId("Maintenance1");
        element.setTitle("Clean heads");
        element.setLabel("Start");
        Panel panel;
        LogCapture log;
        QPointer<QWidget> row = element.createControl(&panel);
        // The rules are checked on the new control.
        QVERIFY(log.contains("Element::checkConstraints for:"));
        QCOMPARE(row->objectName(), QString("hbox"));
        QCOMPARE(row->size(), QSize(320, 24));
        auto *button = qobject_cast<QPushButton *>(element.control());
        QCOMPARE(button->parentWidget(), row.data());
        QCOMPARE(button->text(), QString("Start"));
        QCOMPARE(row->findChild<QLabel *>("label")->text(), QString("Clean heads : "));

        QSignalSpy clicked(&element, &ButtonElement::buttonClicked);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(reported(clicked), QStringList({"Maintenance1", "Maintenance1"}));
        element.deleteControl();
        QVERIFY(row.isNull());
        QVERIFY(panel.findChildren<QWidget *>().isEmpty());
    }

    void photoInkFlag()
    {
        // The alignment dialog reads the flag by property name from the sender.
        InkCartridgeAlignSFPElement element("CARTRIDGE_ALIGN_HP_INK_SFP", nullptr, nullptr);
        QCOMPARE(element.property("hasPhotoInk").toBool(), false);
        QVERIFY(element.setProperty("hasPhotoInk", true));
        QCOMPARE(element.hasPhotoInk(), true);
        InkCartridgeAlignMFPElement multi("CARTRIDGE_ALIGN_HP_INK_MFP", nullptr, nullptr);
        QCOMPARE(multi.metaObject()->indexOfProperty("hasPhotoInk"), -1);
    }

    void aboutPanelShowsACopyOfTheInfo()
    {
        AboutElement about("ABOUT", nullptr, nullptr);
        Panel panel;
        // Without information there is nothing to show.
        QCOMPARE(about.createControl(&panel), nullptr);
        QVERIFY(panel.findChildren<QWidget *>().isEmpty());

        AboutInfo info;
        info.model = "Office Jet 42";
        info.sw = "Velmora";
        info.version = Version(2, 0, 15);
        info.copyrights = "(c) the authors";
        info.logo = QPixmap(64, 32);
        about.setAboutInfo(info);
        info.model = "changed later";
        QPointer<QWidget> control = about.createControl(&panel);
        auto *widget = qobject_cast<AboutWidget *>(control);
        QCOMPARE(about.control(), widget);
        QCOMPARE(widget->geometry(), panel.rect());
        QCOMPARE(widget->modelName(), QString("Office Jet 42"));
        QCOMPARE(widget->versionText(), QString("Velmora 2.00.15"));
        QCOMPARE(widget->copyrightText(), QString("(c) the authors"));
        QCOMPARE(widget->logoPixmap().size(), QSize(64, 32));
        about.deleteControl();
        QVERIFY(control.isNull());
        QCOMPARE(AboutElement::versionText(Version(10, 100, 7)), QString("10.100.07"));
    }
};

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"

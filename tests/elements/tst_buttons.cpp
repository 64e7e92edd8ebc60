#include "common/logcapture.h"
#include "elements/aboutelement.h"
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
        QWidget *row = element.createControl(&panel);
        // The rules are checked on the new control.
        QVERIFY(log.contains("Element::checkConstraints for:"));
        auto *button = qobject_cast<QPushButton *>(element.control());
        QCOMPARE(button->text(), QString("Start"));
        QCOMPARE(row->findChild<QLabel *>("label")->text(), QString("Clean heads : "));

        QSignalSpy clicked(&element, &ButtonElement::buttonClicked);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(reported(clicked), QStringList({"Maintenance1", "Maintenance1"}));
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
        // What the panel's labels show, not only what the widget stored.
        QCOMPARE(widget->modelLabel->text(), QString("Office Jet 42"));
        QCOMPARE(widget->versionLabel->text(), QString("Velmora 2.00.15"));
        QCOMPARE(widget->copyrighLabel->text(), QString("(c) the authors"));
        QCOMPARE(widget->logoLabel->pixmap().size(), QSize(64, 32));
        about.deleteControl();
        QVERIFY(control.isNull());
        QCOMPARE(AboutElement::versionText(Version(10, 100, 7)), QString("10.100.07"));
    }
};

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"

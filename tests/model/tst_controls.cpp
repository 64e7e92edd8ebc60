#include "common/messageboxrecorder.h"
#include "model/aboutelement.h"
#include "model/aboutinfo.h"
#include "model/element.h"
#include "model/enumerate.h"
#include "model/nodedesc.h"
#include "model/settingsparser.h"
#include "valuefixtures.h"
#include "widgets/aboutwidget.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>

class TestControls : public QObject
{
    Q_OBJECT
private slots:
    // Every setting a description can hold must come up in the settings panel
    // with a real control and leave the panel empty again when it goes.
    void everySettingShowsAndRemovesItsControl_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("every control keyword") << QStringLiteral("all_control_keywords.xml");
        QTest::newRow("sample device") << QStringLiteral("sample_mfp.xml");
    }
    void everySettingShowsAndRemovesItsControl()
    {
        QFETCH(QString, file);
        QFile description(QDir::cleanPath(QStringLiteral(VELMORA_DESCRIPTIONS "/") + file));
        QVERIFY(description.open(QIODevice::ReadOnly));
        SettingsParser parser;
        parser.setAboutInfo(AboutInfo());
        QVERIFY(parser.setContent(QString::fromUtf8(description.readAll())));
        QVERIFY(parser.parse());
        QList<Element *> elements;
        const auto collect = [](Element *element, void *list) {
            static_cast<QList<Element *> *>(list)->append(element);
            return true;
        };
        QVERIFY(enumerate(parser.root(), collect, &elements));
        QVERIFY(elements.size() >= 27);

        const MessageBoxRecorder boxes;
        QWidget panel;
        panel.resize(370, 145);
        for (Element *element : std::as_const(elements)) {
            const QString what = element->id() + QLatin1Char(' ') + QLatin1String(element->typeName());
            QVERIFY2(element->createControl(&panel) && element->control(), qPrintable(what));
            for (const QLabel *label : panel.findChildren<QLabel *>())
                QVERIFY2(label->text() != QStringLiteral("Unknown control type"), qPrintable(what));
            element->deleteControl();
            QVERIFY2(!element->control(), qPrintable(what));
            QVERIFY2(panel.findChildren<QWidget *>().isEmpty(), qPrintable(what + " left widgets behind"));
        }
        QCOMPARE(boxes.count(), 0);
    }

    void aboutPanelShowsACopyOfTheInfo()
    {
        AboutElement about("ABOUT", nullptr, nullptr);
        Panel panel;
        // Without information there is nothing to show.
        QCOMPARE(about.createControl(&panel), nullptr);
        AboutInfo info;
        info.model = "Office Jet 42";
        info.sw = "Velmora";
        info.version = Version(2, 0, 15);
        about.setAboutInfo(info);
        info.model = "changed later";
        QPointer<QWidget> control = about.createControl(&panel);
        auto *widget = qobject_cast<AboutWidget *>(control);
        QCOMPARE(widget->modelLabel->text(), QString("Office Jet 42"));
        QCOMPARE(widget->versionLabel->text(), QString("Velmora 2.00.15"));
        about.deleteControl();
        QVERIFY(control.isNull());
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"

#include "app/aboutinfo.h"
#include "common/messageboxrecorder.h"
#include "description/nodedesc.h"
#include "description/settingsparser.h"
#include "elements/element.h"
#include "elements/enumerate.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

// Every setting a description can hold must come up in the settings panel
// with a real control and leave the panel empty again when it goes.
class TestControlSmoke : public QObject
{
    Q_OBJECT
private slots:
    void everySettingShowsAndRemovesItsControl_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("every control keyword") << QStringLiteral("all_control_keywords.xml");
        QTest::newRow("sample device") << QStringLiteral("sample_mfp.xml");
    }

    void everySettingShowsAndRemovesItsControl()
    {
        QFETCH(QString, file);
        QFile description(
            QDir::cleanPath(QStringLiteral(VELMORA_TEST_DATA "/../../description/data/") + file));
        QVERIFY(description.open(QIODevice::ReadOnly));
        SettingsParser parser;
        parser.setAboutInfo(AboutInfo());
        QVERIFY(parser.setContent(QString::fromUtf8(description.readAll())));
        QVERIFY(parser.parse());

        QList<Element *> elements;
        QVERIFY(enumerate(
            parser.root(),
            [](Element *element, void *list) {
                static_cast<QList<Element *> *>(list)->append(element);
                return true;
            },
            &elements));
        QVERIFY(elements.size() >= 27);

        const MessageBoxRecorder boxes;
        QWidget panel;
        panel.resize(370, 145);
        for (Element *element : std::as_const(elements)) {
            const QString what = element->id() + QLatin1Char(' ') + QLatin1String(element->typeName());
            QVERIFY2(element->createControl(&panel), qPrintable(what));
            QVERIFY2(element->control(), qPrintable(what));
            for (const QLabel *label : panel.findChildren<QLabel *>())
                QVERIFY2(label->text() != QStringLiteral("Unknown control type"), qPrintable(what));
            element->deleteControl();
            QVERIFY2(!element->control(), qPrintable(what));
            QVERIFY2(panel.findChildren<QWidget *>().isEmpty(), qPrintable(what + " left widgets behind"));
        }
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(TestControlSmoke)
#include "tst_controlsmoke.moc"

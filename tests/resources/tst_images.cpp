#include "app/functions.h"
#include "resources/images.h"

#include <QFile>
#include <QImage>
#include <QTest>

class TestImages : public QObject
{
    Q_OBJECT
private slots:
    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("maintenance"); // only while that collection is registered
        QTest::newRow("help") << "help.png" << QSize(24, 24) << false;
        QTest::newRow("help button") << "help4.png" << QSize(24, 24) << false;
        QTest::newRow("settings") << "Setting.png" << QSize(48, 48) << false;
        QTest::newRow("window icon") << "vlm.png" << QSize(48, 48) << false;
        QTest::newRow("cleaning page") << "Ink_CleanPage.png" << QSize(121, 171) << true;
        QTest::newRow("cleaning") << "Ink_Cleaning.png" << QSize(123, 143) << true;
        QTest::newRow("alignment") << "Ink_SFPAlign.png" << QSize(121, 171) << true;
        QTest::newRow("alignment page") << "Ink_SFPAlign_Page.png" << QSize(98, 106) << true;
        QTest::newRow("alignment pen") << "Ink_SFPAlign_Pen.png" << QSize(101, 94) << true;
        QTest::newRow("alignment verify") << "Ink_SFPAlign_Verify.png" << QSize(120, 168) << true;
    }
    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, maintenance);
        QCOMPARE(ImageFromMimeSource(name).isNull(), maintenance);
        if (maintenance)
            RegisterMaintenanceImages();
        const QImage picture = ImageFromMimeSource(name);
        if (maintenance)
            UnregisterMaintenanceImages();
        QCOMPARE(ImageFromMimeSource(name).isNull(), maintenance);
        QVERIFY(!ImageFromMimeSource(QStringLiteral("vlm.png")).isNull()); // the window collection stays

        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.depth(), 32);
        QVERIFY(picture.hasAlphaChannel());
        // A picture of one flat colour would mean the drawing went wrong.
        int opaque = 0;
        int transparent = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                opaque += qAlpha(picture.pixel(x, y)) == 255;
                transparent += qAlpha(picture.pixel(x, y)) == 0;
            }
        }
        QVERIFY(opaque > picture.width() * picture.height() / 4);
        QVERIFY(transparent > 0);
    }

    void unknownNameIsNull()
    {
        QVERIFY(ImageFromMimeSource(QStringLiteral("no-such-picture.png")).isNull());
        QVERIFY(ImageFromMimeSource(QString()).isNull());
        QVERIFY(ImageFromMimeSource(QStringLiteral("VLM.png")).isNull()); // the lookup is by exact name
    }

    void logoBesideTheProgram()
    {
        const QImage logo(QStringLiteral(VELMORA_STAGE_DIR "/share/icons/logo.png"));
        QCOMPARE(logo.size(), QSize(128, 48));
        QVERIFY(logo.hasAlphaChannel());
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"

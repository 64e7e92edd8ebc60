#include "base/imagecollections.h"
#include "base/images.h"
#include "common/datatable.h"

#include <QDir>
#include <QImage>
#include <QTest>

class TestImages : public QObject
{
    Q_OBJECT
private slots:
    void pictures_data()
    {
        // maintenance: found only while that collection is registered
        addColumns<QString, QSize, bool>({"name", "size", "maintenance"});
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
        QFETCH(bool, maintenance);
        if (maintenance)
            RegisterMaintenanceImages();
        const QImage picture = ImageFromMimeSource(name);
        if (maintenance)
            UnregisterMaintenanceImages();
        QCOMPARE(ImageFromMimeSource(name).isNull(), maintenance);
        QVERIFY(ImageFromMimeSource(name.toUpper()).isNull()); // looked up by exact name
        QTEST(picture.size(), "size");
        // Drawn on a see-through ground: a flat or empty picture means the drawing went wrong.
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        QVERIFY(!picture.allGray());
    }

    // A picture asked for again is the one decoded the first time, until its
    // collection goes.
    void decodedOnce()
    {
        RegisterMaintenanceImages();
        const QImage first = ImageFromMimeSource(QStringLiteral("Ink_Cleaning.png"));
        QCOMPARE(ImageFromMimeSource(QStringLiteral("Ink_Cleaning.png")).cacheKey(), first.cacheKey());
        QCOMPARE(ImageFromMimeSource(QStringLiteral("help.png")).cacheKey(),
                 ImageFromMimeSource(QStringLiteral("help.png")).cacheKey());
        // A file beside the program, found from the working directory.
        QVERIFY(QDir::setCurrent(QStringLiteral(VELMORA_STAGE_DIR "/bin")));
        const QImage folder = ImageFromMimeSource(QStringLiteral("folder.png"));
        QVERIFY(!folder.isNull());
        QCOMPARE(ImageFromMimeSource(QStringLiteral("folder.png")).cacheKey(), folder.cacheKey());
        UnregisterMaintenanceImages();
        QVERIFY(ImageFromMimeSource(QStringLiteral("Ink_Cleaning.png")).isNull());
    }

    void logoIsStaged()
    {
        QCOMPARE(QImage(QStringLiteral(VELMORA_STAGE_DIR "/share/velmora/icons/logo.png")).size(), QSize(128, 48));
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"

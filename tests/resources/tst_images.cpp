#include "app/functions.h"
#include "resources/images.h"

#include <QFile>
#include <QImage>
#include <QTest>

class TestImages : public QObject
{
    Q_OBJECT
private:
    static void addPictureColumns()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
    }

    static void checkPicture(const QImage &picture)
    {
        QFETCH(QSize, size);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.depth(), 32);
        QVERIFY(picture.hasAlphaChannel());
        // A picture of one flat colour would mean the drawing went wrong.
        int opaque = 0;
        int transparent = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const int alpha = qAlpha(picture.pixel(x, y));
                opaque += alpha == 255;
                transparent += alpha == 0;
            }
        }
        QVERIFY(opaque > picture.width() * picture.height() / 4);
        QVERIFY(transparent > 0);
    }

private slots:
    void windowPictures_data()
    {
        addPictureColumns();
        QTest::newRow("help") << "help.png" << QSize(24, 24);
        QTest::newRow("help button") << "help4.png" << QSize(24, 24);
        QTest::newRow("settings") << "Setting.png" << QSize(48, 48);
        QTest::newRow("window icon") << "vlm.png" << QSize(48, 48);
    }

    void windowPictures()
    {
        QFETCH(QString, name);
        checkPicture(ImageFromMimeSource(name));
    }

    void unknownNameIsNull()
    {
        QVERIFY(ImageFromMimeSource(QStringLiteral("no-such-picture.png")).isNull());
        QVERIFY(ImageFromMimeSource(QString()).isNull());
        // The lookup is by exact name.
        QVERIFY(ImageFromMimeSource(QStringLiteral("VLM.png")).isNull());
    }

    void maintenancePictures_data()
    {
        addPictureColumns();
        QTest::newRow("cleaning page") << "Ink_CleanPage.png" << QSize(121, 171);
        QTest::newRow("cleaning") << "Ink_Cleaning.png" << QSize(123, 143);
        QTest::newRow("alignment") << "Ink_SFPAlign.png" << QSize(121, 171);
        QTest::newRow("alignment page") << "Ink_SFPAlign_Page.png" << QSize(98, 106);
        QTest::newRow("alignment pen") << "Ink_SFPAlign_Pen.png" << QSize(101, 94);
        QTest::newRow("alignment verify") << "Ink_SFPAlign_Verify.png" << QSize(120, 168);
    }

    void maintenancePictures()
    {
        QFETCH(QString, name);
        QVERIFY(ImageFromMimeSource(name).isNull());
        RegisterMaintenanceImages();
        const QImage picture = ImageFromMimeSource(name);
        UnregisterMaintenanceImages();
        checkPicture(picture);
        QVERIFY(ImageFromMimeSource(name).isNull());
        // The window collection stays.
        QVERIFY(!ImageFromMimeSource(QStringLiteral("vlm.png")).isNull());
    }

    void logoBesideTheProgram()
    {
        const QString path = QStringLiteral(VELMORA_STAGE_DIR "/share/icons/logo.png");
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QImage logo(path);
        QVERIFY(!logo.isNull());
        QCOMPARE(logo.size(), QSize(128, 48));
        QVERIFY(logo.hasAlphaChannel());
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"

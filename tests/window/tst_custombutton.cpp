#include "window/custombutton.h"

#include <QBitmap>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {
QPixmap picture(Qt::GlobalColor colour, int width = 20, int height = 16)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

QImage image(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

// What the button shows, as a plain image for comparison.
QImage shown(const CustomButton &button)
{
    return image(button.icon().pixmap(button.iconSize()));
}
} // namespace

class TestCustomButton : public QObject
{
    Q_OBJECT
private slots:
    void pictureFollowsStateAndPress_data()
    {
        QTest::addColumn<bool>("allFour");
        QTest::newRow("all four pictures") << true;
        // A missing picture never blanks the button: the last one stays.
        QTest::newRow("off picture alone keeps showing") << false;
    }
    void pictureFollowsStateAndPress()
    {
        QFETCH(bool, allFour);
        const QPixmap off = picture(Qt::red), offPressed = picture(Qt::darkRed);
        const QPixmap on = picture(Qt::green), onPressed = picture(Qt::darkGreen);
        CustomButton button;
        button.setOffPixmap(off);
        if (allFour) {
            button.setOffPressedPixmap(offPressed);
            button.setOnPixmap(on);
            button.setOnPressedPixmap(onPressed);
        }
        const auto expect = [&](const QPixmap &pixmap) {
            return image(allFour ? pixmap : off);
        };
        QCOMPARE(shown(button), image(off));
        QCOMPARE(button.size(), QSize(21, 17));
        QSignalSpy toggles(&button, &CustomButton::toggleChanged);

        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(shown(button), expect(offPressed));
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(shown(button), expect(on));
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(shown(button), expect(onPressed));
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(shown(button), image(off));

        button.setOn(true);
        QCOMPARE(shown(button), expect(on));
        button.setOn(true); // no change, no signal
        button.setOn(false);
        QCOMPARE(shown(button), image(off));
        QCOMPARE(toggles.count(), 4);
        for (const int state : {2, 0, 2, 0})
            QCOMPARE(toggles.takeFirst().first().toInt(), state);
    }

    void settingAPictureWhileHeldDownShowsThePressedOne()
    {
        CustomButton button;
        button.setOffPixmap(picture(Qt::red));
        QTest::mousePress(&button, Qt::LeftButton);
        const QPixmap pressed = picture(Qt::blue, 30, 10);
        button.setOffPressedPixmap(pressed);
        QCOMPARE(shown(button), image(pressed));
        QCOMPARE(button.size(), QSize(31, 11));
        // The on pictures are not for the current state.
        button.setOnPixmap(picture(Qt::yellow));
        QCOMPARE(shown(button), image(pressed));
        QTest::mouseRelease(&button, Qt::LeftButton);
    }

    void transparentPictureMasksAndPaints()
    {
        QPixmap half(24, 24);
        half.fill(Qt::transparent);
        QPainter(&half).fillRect(0, 0, 12, 24, Qt::red);
        CustomButton button;
        button.setOffPixmap(half);
        QVERIFY(button.mask().contains(QPoint(2, 10)));
        QVERIFY(!button.mask().contains(QPoint(18, 10)));
        const QImage drawn = button.grab().toImage();
        QCOMPARE(drawn.pixelColor(6, drawn.height() / 2), QColor(Qt::red));
    }
};

QTEST_MAIN(TestCustomButton)
#include "tst_custombutton.moc"

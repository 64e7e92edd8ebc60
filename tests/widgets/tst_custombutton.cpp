#include "widgets/custombutton.h"

#include <QSignalSpy>
#include <QTest>

namespace {
QPixmap picture(Qt::GlobalColor colour, int width = 20, int height = 16)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

// The colour of what the button shows (every picture here is one colour).
QColor shown(const CustomButton &button)
{
    return button.icon().pixmap(button.iconSize()).toImage().pixelColor(1, 1);
}
} // namespace

class TestCustomButton : public QObject
{
    Q_OBJECT
private slots:
    void pictureFollowsStateAndPress()
    {
        CustomButton button;
        button.setOffPixmap(picture(Qt::red));
        button.setOffPressedPixmap(picture(Qt::darkRed));
        button.setOnPixmap(picture(Qt::green));
        button.setOnPressedPixmap(picture(Qt::darkGreen));
        QSignalSpy toggles(&button, &CustomButton::toggleChanged);
        // Press, release, press, release: off-pressed, on, on-pressed, off.
        for (const Qt::GlobalColor colour : {Qt::darkRed, Qt::green, Qt::darkGreen, Qt::red}) {
            const bool press = colour == Qt::darkRed || colour == Qt::darkGreen;
            press ? QTest::mousePress(&button, Qt::LeftButton) : QTest::mouseRelease(&button, Qt::LeftButton);
            QCOMPARE(shown(button), QColor(colour));
        }
        button.setOn(true);
        QCOMPARE(shown(button), QColor(Qt::green));
        button.setOn(true); // no change, no signal
        button.setOn(false);
        QCOMPARE(shown(button), QColor(Qt::red));
        QCOMPARE(toggles.count(), 4);
        for (const int state : {2, 0, 2, 0})
            QCOMPARE(toggles.takeFirst().first().toInt(), state);
        // A picture set while held down shows at once if it is for that state.
        QTest::mousePress(&button, Qt::LeftButton);
        button.setOnPixmap(picture(Qt::yellow));
        button.setOffPressedPixmap(picture(Qt::blue, 30, 10));
        QCOMPARE(shown(button), QColor(Qt::blue));
        QCOMPARE(button.size(), QSize(31, 11));
    }
};

QTEST_MAIN(TestCustomButton)
#include "tst_custombutton.moc"

#include "window/aboutwidget.h"
#include "window/custombutton.h"

#include <QBitmap>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {
QPixmap picture(Qt::GlobalColor colour, int width = 20, int height = 16)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

// What the button shows, as a plain image for comparison.
QImage shown(const CustomButton &button)
{
    return button.icon().pixmap(button.iconSize()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage image(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

class TestCustomButton : public QObject
{
    Q_OBJECT
private slots:
    void construction()
    {
        CustomButton button(nullptr, "help");
        QCOMPARE(button.objectName(), QStringLiteral("help"));
        QVERIFY(button.isCheckable());
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);
        QVERIFY(button.offPixmap().isNull());
        QVERIFY(button.onPressedPixmap().isNull());
        QVERIFY(button.icon().isNull());
    }

    void onlyTheOffPictureKeepsShowing()
    {
        CustomButton button;
        const QPixmap off = picture(Qt::red);
        button.setOffPixmap(off);
        QCOMPARE(shown(button), image(off));
        QCOMPARE(button.size(), QSize(21, 17));

        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(button.isDown());
        QCOMPARE(shown(button), image(off));
        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(button.isChecked());
        QCOMPARE(shown(button), image(off)); // no on picture either
    }

    void pictureFollowsStateAndPress()
    {
        CustomButton button;
        const QPixmap off = picture(Qt::red), offPressed = picture(Qt::darkRed);
        const QPixmap on = picture(Qt::green), onPressed = picture(Qt::darkGreen);
        button.setOffPixmap(off);
        button.setOffPressedPixmap(offPressed);
        button.setOnPixmap(on);
        button.setOnPressedPixmap(onPressed);
        QCOMPARE(shown(button), image(off));
        QSignalSpy toggles(&button, &CustomButton::toggleChanged);

        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(shown(button), image(offPressed));
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(shown(button), image(on));
        QCOMPARE(toggles.count(), 1);
        QCOMPARE(toggles.last().first().toInt(), 2);

        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(shown(button), image(onPressed));
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(shown(button), image(off));
        QCOMPARE(toggles.count(), 2);
        QCOMPARE(toggles.last().first().toInt(), 0);
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

    void setOnShowsAndToggles()
    {
        CustomButton button;
        const QPixmap off = picture(Qt::red), on = picture(Qt::green);
        button.setOffPixmap(off);
        button.setOnPixmap(on);
        QSignalSpy toggles(&button, &CustomButton::toggleChanged);

        button.setOn(true);
        QVERIFY(button.isChecked());
        QCOMPARE(shown(button), image(on));
        QCOMPARE(toggles.count(), 1);
        button.setOn(true);
        QCOMPARE(toggles.count(), 1); // no change, no signal
        button.setOn(false);
        QCOMPARE(shown(button), image(off));
        QCOMPARE(toggles.last().first().toInt(), 0);
    }

    void picturesAreProperties()
    {
        CustomButton button;
        const QPixmap on = picture(Qt::green);
        QVERIFY(button.setProperty("onPixmap", on));
        QCOMPARE(image(button.onPixmap()), image(on));
        QCOMPARE(image(button.property("onPixmap").value<QPixmap>()), image(on));
        for (const char *name : {"offPixmap", "offPressedPixmap", "onPixmap", "onPressedPixmap"})
            QVERIFY2(button.metaObject()->indexOfProperty(name) >= 0, name);
    }

    void transparentPictureMasksTheButton()
    {
        QPixmap half(20, 20);
        half.fill(Qt::transparent);
        {
            QPainter painter(&half);
            painter.fillRect(0, 0, 10, 20, Qt::blue);
        }
        CustomButton button;
        button.setOffPixmap(half);
        QVERIFY(button.mask().contains(QPoint(2, 10)));
        QVERIFY(!button.mask().contains(QPoint(15, 10)));
    }

    void paintsThePicture()
    {
        CustomButton button;
        button.setOffPixmap(picture(Qt::red, 24, 24));
        const QImage drawn = button.grab().toImage();
        QCOMPARE(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2), QColor(Qt::red));
    }

    void aboutWidgetLayout()
    {
        AboutWidget about(nullptr, "about");
        QCOMPARE(about.objectName(), QStringLiteral("about"));
        QCOMPARE(about.geometry(), QRect(50, 230, 390, 138));
        QCOMPARE(about.aboutLayout->objectName(), QStringLiteral("aboutLayout"));
        QCOMPARE(about.aboutLayout->spacing(), 0);
        QCOMPARE(about.aboutLayout->contentsMargins(), QMargins());
        const QList<QLabel *> order = {about.modelLabel, about.versionLabel, about.logoLabel,
                                       about.copyrighLabel};
        const QStringList names = {"modelLabel", "versionLabel", "logoLabel", "copyrighLabel"};
        for (int i = 0; i < order.size(); ++i) {
            QCOMPARE(about.aboutLayout->itemAt(i)->widget(), order.at(i));
            QCOMPARE(order.at(i)->objectName(), names.at(i));
            QCOMPARE(order.at(i)->alignment(), Qt::AlignCenter);
        }
        QVERIFY(about.modelLabel->font().bold());
        QVERIFY(!about.versionLabel->font().bold());
        QVERIFY(about.copyrighLabel->wordWrap());
        QCOMPARE(about.versionLabel->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QVERIFY(!about.logoLabel->hasScaledContents());
    }

    void aboutWidgetProperties()
    {
        AboutWidget about;
        QVERIFY(about.setProperty("modelName", QStringLiteral("Model X")));
        QVERIFY(about.setProperty("versionText", QStringLiteral("1.2")));
        QVERIFY(about.setProperty("copyrightText", QStringLiteral("(c) Someone")));
        QCOMPARE(about.modelLabel->text(), QStringLiteral("Model X"));
        QCOMPARE(about.versionLabel->text(), QStringLiteral("1.2"));
        QCOMPARE(about.copyrighLabel->text(), QStringLiteral("(c) Someone"));
        QCOMPARE(about.property("modelName").toString(), QStringLiteral("Model X"));

        const QPixmap logo = picture(Qt::cyan, 64, 24);
        about.setLogoPixmap(logo);
        QCOMPARE(image(about.logoLabel->pixmap()), image(logo));
        QCOMPARE(image(about.property("logoPixmap").value<QPixmap>()), image(logo));
        about.setLogoPixmap(QPixmap());
        QVERIFY(about.logoPixmap().isNull());
        QVERIFY(about.logoLabel->pixmap().isNull());
    }
};

QTEST_MAIN(TestCustomButton)
#include "tst_custombutton.moc"

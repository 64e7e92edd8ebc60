#include "common/logcapture.h"
#include "valuefixtures.h"
#include "window/floatspinbox.h"

#include <QLabel>
#include <QSlider>

namespace {

SpinBox *spinOf(const ConcreteElement &element)
{
    return qobject_cast<SpinBox *>(element.control());
}

// Replaces the spin box text as a user would: select all, type.
void typeInto(SpinBox *spin, const QString &text)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
}

} // namespace

class TestNumericElements : public QObject
{
    Q_OBJECT

private slots:
    void floatScaling_data()
    {
        addColumns<QString, QString, int, QString>({"current", "digits", "value", "shown"});
        addRow("1.25 with 2 digits", "1.25", "2", 125, "1.25");
        addRow("-1.25 truncates toward zero", "-1.25", "2", -124, "-1.24");
        addRow("half rounds up", "2.5", "0", 3, "3.0");
        addRow("negative half rounds toward zero", "-2.5", "0", -2, "-2.0");
        addRow("third decimal rounds", "1.999", "2", 200, "2.00");
        addRow("blanks around", " 0.5 ", "1", 5, "0.5");
        addRow("not a number is 0", "n/a", "2", 0, "0.00");
    }
    void floatScaling()
    {
        QFETCH(QString, current);
        QFETCH(QString, digits);
        auto element = makeNumeric("FLOAT", current, "-100", "100", "0.5", digits);
        Panel panel;
        element->createControl(&panel);
        QTEST(spinOf(*element)->value(), "value");
        QTEST(spinOf(*element)->text(), "shown");
    }

    void scalingOfDeviceText_data()
    {
        // Bounds beyond the int range are the spin box's to pin.
        addColumns<QString, QString, QString, int, int, int>(
            {"min", "max", "digits", "spinMin", "spinMax", "spinDigits"});
        addRow("bounds converted as float", "0.1", "10.7", "2", 10, 1070, 2);
        addRow("bounds that are no numbers", "low", "high", "1", 0, 0, 1);
        addRow("digits beyond what an int holds", "0", "1", "25", 0, 1000000000, 9);
        addRow("negative digits count as none", "0", "5", "-3", 0, 5, 0);
    }
    void scalingOfDeviceText()
    {
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(QString, digits);
        auto element = makeNumeric("FLOAT", "0", min, max, "1", digits);
        Panel panel;
        element->createControl(&panel);
        auto *spin = qobject_cast<FloatSpinBox *>(element->control());
        QTEST(spin->minimum(), "spinMin");
        QTEST(spin->maximum(), "spinMax");
        QTEST(spin->digits(), "spinDigits");
    }

    void zeroStepMovesByOneLastDecimal()
    {
        auto element = makeNumeric("FLOAT", "1.25", "0", "10", "0", "2");
        Panel panel;
        panel.show();
        element->createControl(&panel);
        QCOMPARE(spinOf(*element)->singleStep(), 1);
        spinOf(*element)->setFocus();
        QTest::keyClick(spinOf(*element), Qt::Key_Up);
        QCOMPARE(spinOf(*element)->text(), QString("1.26"));
        QCOMPARE(element->current(), QString("1.26"));
    }

    void integerClampedByIsValid_data()
    {
        addColumns<QString, QString, QString>({"current", "expected", "logLine"});
        const QString lower = "NumericElement::isValid(): current < min. New current=1";
        addRow("above max", "150", "100", "NumericElement::isValid(): current > max. New current=100");
        addRow("below min", "-5", "1", lower);
        addRow("not a number counts as 0", "many", "1", lower);
        addRow("inside the range", "42", "42", QString());
    }
    void integerClampedByIsValid()
    {
        QFETCH(QString, current);
        QFETCH(QString, expected);
        QFETCH(QString, logLine);
        Shown<ConcreteElement> shown(makeNumeric("INTEGER", "50", "1", "100", "1"));
        // Set as a rule would: the spin box does not follow on its own.
        shown.element->setCurrent(current);
        shown.changed.clear();

        LogCapture log;
        QVERIFY(shown.element->isValid());
        QCOMPARE(shown.element->current(), expected);
        const bool clamped = !logLine.isNull();
        QCOMPARE(log.contains(clamped ? logLine : "New current="), clamped);
        // Only a pulled-back value reaches the spin box and the dependents.
        QCOMPARE(spinOf(*shown.element)->text(), clamped ? expected : QString("50"));
        QCOMPARE(shown.changed.count(), clamped ? 1 : 0);
        QCOMPARE(shown.dependent.sources.size(), clamped ? 1 : 0);
    }

    void floatIsValidShowsSpinValueAgain()
    {
        auto element = makeNumeric("FLOAT", "5.00", "0", "10", "0.5", "2");
        Panel panel;
        panel.show();
        element->createControl(&panel);
        SpinBox *spin = spinOf(*element);
        // Out of range text stays in the editor while typing and becomes
        // current; the spin box value stays at the last text inside the range.
        typeInto(spin, "20");
        QCOMPARE(element->current(), QString("20"));
        QCOMPARE(spin->value(), 200);

        LogCapture log;
        QVERIFY(element->isValid());
        QVERIFY(log.contains("FloatElement::isValid(): current > max. New current=20"));
        QCOMPARE(spin->text(), QString("2.00"));
        QCOMPARE(element->current(), QString("2.00"));
    }

    void boundsPullTheValueOnceShown()
    {
        auto element = makeNumeric("INTEGER", "80", "0", "100", "1");
        // Bounds filled in after the value (as the description is read) leave
        // the device's value alone, and so does showing the setting.
        QVERIFY(element->setProperty("max", "50"));
        Panel panel;
        element->createControl(&panel);
        QCOMPARE(element->current(), QString("80"));
        QVERIFY(element->setProperty("max", "40"));
        QCOMPARE(spinOf(*element)->maximum(), 40);
        QCOMPARE(spinOf(*element)->value(), 40);
        // Raising the bound again gives nothing back.
        QVERIFY(element->setProperty("max", "90"));
        QCOMPARE(element->current(), QString("40"));
        QVERIFY(element->setProperty("min", "45"));
        QCOMPARE(element->current(), QString("45"));
        // Writing the same text again is no change and emits nothing.
        QSignalSpy maxSignal(element.get(), SIGNAL(maxChanged(QString)));
        QVERIFY(element->setProperty("max", "90"));
        QCOMPARE(maxSignal.count(), 0);
        // Once the control has been shown, bounds pull the value in without it too.
        element->deleteControl();
        QVERIFY(element->setProperty("max", "30"));
        QCOMPARE(element->current(), QString("30"));
    }

    void floatBoundsReachOpenSpinBox()
    {
        auto decimal = makeNumeric("FLOAT", "5.25", "0", "10", "0.5", "2");
        Panel panel;
        decimal->createControl(&panel);
        QSignalSpy changed(decimal.get(), &ConcreteElement::valueChanged);
        QVERIFY(decimal->setProperty("max", "4.5"));
        QCOMPARE(spinOf(*decimal)->maximum(), 450);
        // The bound becomes current, then the spin box, pulled down to it,
        // reports its own text for it.
        QCOMPARE(reported(changed), QStringList({"4.5", "4.50"}));
        QVERIFY(decimal->setProperty("min", "1.05"));
        QVERIFY(decimal->setProperty("step", "0"));
        QVERIFY(decimal->setProperty("digits", "1"));
        QCOMPARE(spinOf(*decimal)->maximum(), 45);
        // 1.05 as a float lies just below 1.05: 10.4999995 + 0.5 truncates to 10.
        QCOMPARE(spinOf(*decimal)->minimum(), 10);
        // A step of 0 given later is taken as it is.
        QCOMPARE(spinOf(*decimal)->singleStep(), 0);
    }

    void slider()
    {
        auto element = makeNumeric("SLIDER", "5", "0", "10", "2");
        element->setTitle("Cyan");
        static_cast<SliderElement *>(element.get())->setColorMarker("00ffff");
        CountingDependent dependent("Magenta");
        element->addDependentElement(&dependent);
        Panel panel;
        QWidget *row = element->createControl(&panel);
        panel.show();
        auto *title = row->findChild<QLabel *>("hbox");
        QCOMPARE(title->text(), QString("Cyan : "));
        const int side = (3 * title->sizeHint().height()) / 4;
        const QImage image = row->findChild<QLabel *>("colorMarkLabel")->pixmap().toImage();
        QCOMPARE(image.size(), QSize(side, side));
        QCOMPARE(image.pixelColor(side / 2, side / 2), QColor("#00ffff"));
        auto *slider = qobject_cast<QSlider *>(element->control());
        QCOMPARE(slider->maximum(), 10);

        QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(element->current(), QString("7"));
        QCOMPARE(row->findChild<QLabel *>("valueLabel")->text(), QString("7"));
        // A rule moved the value ahead of the slider (and reported it); moving
        // the slider onto it reports it again but changes nothing for the dependents.
        element->setCurrent("9");
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(reported(changed), QStringList({"7", "9", "9"}));
        QCOMPARE(dependent.sources.size(), 1);

        // Neither later bounds nor validation move a slider.
        QVERIFY(element->setProperty("max", "3"));
        QCOMPARE(slider->maximum(), 10);
        element->setCurrent("150");
        QVERIFY(element->isValid());
        QCOMPARE(element->current(), QString("150"));
        // Without a colour there is no swatch.
        auto plain = makeNumeric("SLIDER", "1", "0", "3", "1");
        QCOMPARE(plain->createControl(&panel)->findChild<QLabel *>("colorMarkLabel"), nullptr);
    }
};

QTEST_MAIN(TestNumericElements)
#include "tst_numericelements.moc"

#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "valuefixtures.h"
#include "window/floatspinbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <climits>

namespace {

SpinBox *spinOf(const ConcreteElement &element)
{
    return qobject_cast<SpinBox *>(element.control());
}

std::unique_ptr<ConcreteElement> numeric(const QByteArray &controlName, const QString &current,
                                         const QString &min, const QString &max, const QString &step,
                                         const QString &digits = QString())
{
    auto element = makeValueElement(controlName, "Density", current);
    element->setProperty("min", min);
    element->setProperty("max", max);
    element->setProperty("step", step);
    if (!digits.isNull())
        element->setProperty("digits", digits);
    return element;
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
    void floatScaling_data();
    void floatScaling();
    void scalingOfDeviceText_data();
    void scalingOfDeviceText();
    void zeroStepIsOneLastDecimal();
    void typedValueBecomesCurrent();

    void integerClampedByIsValid_data();
    void integerClampedByIsValid();
    void sliderNotClampedByIsValid();
    void floatIsValidShowsSpinValueAgain();

    void integerBoundsReachOpenSpinBox();
    void floatBoundsAndDigitsReachOpenSpinBox();
    void boundsWithoutControl();
    void setControlValueShowsWithoutEditing();

    void sliderRow();
    void sliderWithoutColour();
    void sliderMovesAndSameValueDoesNotRecheck();
    void sliderIgnoresLaterBounds();
};

void TestNumericElements::floatScaling_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("1.25 with 2 digits") << "1.25"
                                        << "2" << 125 << "1.25";
    QTest::newRow("-1.25 truncates toward zero") << "-1.25"
                                                 << "2" << -124 << "-1.24";
    QTest::newRow("half rounds up") << "2.5"
                                    << "0" << 3 << "3.0";
    QTest::newRow("negative half rounds toward zero") << "-2.5"
                                                      << "0" << -2 << "-2.0";
    QTest::newRow("third decimal rounds") << "1.999"
                                          << "2" << 200 << "2.00";
    QTest::newRow("blanks around") << " 0.5 "
                                   << "1" << 5 << "0.5";
    QTest::newRow("not a number is 0") << "n/a"
                                       << "2" << 0 << "0.00";
}

void TestNumericElements::floatScaling()
{
    QFETCH(QString, current);
    QFETCH(QString, digits);
    QFETCH(int, value);
    QFETCH(QString, shown);

    auto element = numeric("FLOAT", current, "-100", "100", "0.5", digits);
    Panel panel;
    element->createControl(&panel);
    auto *spin = qobject_cast<FloatSpinBox *>(element->control());
    QVERIFY(spin);
    QCOMPARE(spin->value(), value);
    QCOMPARE(spin->text(), shown);
}

void TestNumericElements::scalingOfDeviceText_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("spinMin");
    QTest::addColumn<int>("spinMax");
    QTest::addColumn<int>("spinDecimals");

    QTest::newRow("bounds converted as float") << "0.1"
                                               << "10.7"
                                               << "2" << 10 << 1070 << 2;
    QTest::newRow("bounds that are no numbers") << "low"
                                                << "high"
                                                << "1" << 0 << 0 << 1;
    QTest::newRow("huge bound stays an int") << "-1e30"
                                             << "1e30"
                                             << "2" << -INT_MAX + 1 << INT_MAX - 1 << 2;
    QTest::newRow("digits beyond what an int holds") << "0"
                                                     << "1"
                                                     << "25" << 0 << 1000000000 << 9;
    QTest::newRow("negative digits count as none") << "0"
                                                   << "5"
                                                   << "-3" << 0 << 5 << 0;
}

void TestNumericElements::scalingOfDeviceText()
{
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, digits);
    QFETCH(int, spinMin);
    QFETCH(int, spinMax);
    QFETCH(int, spinDecimals);

    auto element = numeric("FLOAT", "0", min, max, "1", digits);
    Panel panel;
    element->createControl(&panel);
    auto *spin = qobject_cast<FloatSpinBox *>(element->control());
    QVERIFY(spin);
    QVERIFY(qAbs(spin->minimum() - spinMin) <= 64);
    QVERIFY(qAbs(spin->maximum() - spinMax) <= 64);
    QCOMPARE(spin->digits(), spinDecimals);
}

void TestNumericElements::zeroStepIsOneLastDecimal()
{
    auto element = numeric("FLOAT", "1.25", "0", "10", "0", "2");
    Panel panel;
    LogCapture log;
    element->createControl(&panel);
    QVERIFY(log.contains("FloatElement::createControl(): step = 0.010000"));
    SpinBox *spin = spinOf(*element);
    QCOMPARE(spin->singleStep(), 1);

    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(spin->text(), QString("1.26"));
    QCOMPARE(element->current(), QString("1.26"));
}

void TestNumericElements::typedValueBecomesCurrent()
{
    auto element = numeric("INTEGER", "10", "0", "500", "1");
    CountingDependent dependent("Darkness");
    element->addDependentElement(&dependent);
    Panel panel;
    panel.show();
    element->createControl(&panel);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    typeInto(spinOf(*element), "250");
    QCOMPARE(element->current(), QString("250"));
    QCOMPARE(spinOf(*element)->value(), 250);
    QCOMPARE(changed.last().at(0).toString(), QString("250"));
    QCOMPARE(dependent.checks, changed.count());
}

void TestNumericElements::integerClampedByIsValid_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("logLine");

    QTest::newRow("above max") << "150"
                               << "100"
                               << "NumericElement::isValid(): current > max. New current=100";
    QTest::newRow("below min") << "-5"
                               << "1"
                               << "NumericElement::isValid(): current < min. New current=1";
    QTest::newRow("not a number counts as 0") << "many"
                                              << "1"
                                              << "NumericElement::isValid(): current < min. New current=1";
    QTest::newRow("inside the range") << "42"
                                      << "42" << QString();
}

void TestNumericElements::integerClampedByIsValid()
{
    QFETCH(QString, current);
    QFETCH(QString, expected);
    QFETCH(QString, logLine);

    auto element = numeric("INTEGER", "50", "1", "100", "1");
    CountingDependent dependent("Darkness");
    element->addDependentElement(&dependent);
    Panel panel;
    element->createControl(&panel);
    // Set as a rule would: the spin box does not follow on its own.
    element->setCurrent(current);
    QCOMPARE(spinOf(*element)->value(), 50);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    LogCapture log;
    QVERIFY(element->isValid());
    QCOMPARE(element->current(), expected);
    if (logLine.isNull()) {
        // Nothing to pull back: the spin box is left as it was.
        QCOMPARE(spinOf(*element)->value(), 50);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!log.contains("New current="));
        QCOMPARE(dependent.checks, 0);
        return;
    }
    QVERIFY(log.contains(logLine));
    QCOMPARE(spinOf(*element)->value(), expected.toInt());
    QCOMPARE(spinOf(*element)->text(), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), expected);
    QCOMPARE(dependent.checks, 1);
}

void TestNumericElements::sliderNotClampedByIsValid()
{
    auto element = numeric("SLIDER", "150", "0", "100", "1");
    QVERIFY(element->isValid());
    QCOMPARE(element->current(), QString("150"));
}

void TestNumericElements::floatIsValidShowsSpinValueAgain()
{
    auto element = numeric("FLOAT", "5.00", "0", "10", "0.5", "2");
    Panel panel;
    panel.show();
    element->createControl(&panel);
    SpinBox *spin = spinOf(*element);

    // Out of range text stays in the editor while typing and becomes
    // current; the spin box value stays at the last text inside the range.
    typeInto(spin, "20");
    QCOMPARE(spin->text(), QString("20"));
    QCOMPARE(element->current(), QString("20"));
    QCOMPARE(spin->value(), 200);

    LogCapture log;
    QVERIFY(element->isValid());
    QVERIFY(log.contains("FloatElement::isValid(): current > max. New current=20"));
    QCOMPARE(spin->text(), QString("2.00"));
    QCOMPARE(element->current(), QString("2.00"));
}

void TestNumericElements::integerBoundsReachOpenSpinBox()
{
    auto element = numeric("INTEGER", "50", "0", "100", "1");
    Panel panel;
    element->createControl(&panel);
    SpinBox *spin = spinOf(*element);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    QVERIFY(element->setProperty("max", "40"));
    QCOMPARE(element->current(), QString("40"));
    QCOMPARE(changed.first().at(0).toString(), QString("40"));
    QCOMPARE(spin->maximum(), 40);
    QCOMPARE(spin->value(), 40);

    QVERIFY(element->setProperty("max", "90"));
    QCOMPARE(spin->maximum(), 90);
    QCOMPARE(element->current(), QString("40"));

    QVERIFY(element->setProperty("min", "45"));
    QCOMPARE(element->current(), QString("45"));
    QCOMPARE(spin->minimum(), 45);
    QCOMPARE(spin->value(), 45);

    QVERIFY(element->setProperty("step", "5"));
    QCOMPARE(spin->singleStep(), 5);

    // Writing the same text again is no change and emits nothing.
    QSignalSpy maxSignal(element.get(), SIGNAL(maxChanged(QString)));
    QVERIFY(element->setProperty("max", "90"));
    QCOMPARE(maxSignal.count(), 0);
}

void TestNumericElements::floatBoundsAndDigitsReachOpenSpinBox()
{
    auto element = numeric("FLOAT", "5.25", "0", "10", "0.5", "2");
    Panel panel;
    element->createControl(&panel);
    SpinBox *spin = spinOf(*element);

    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);
    QVERIFY(element->setProperty("max", "4.5"));
    QCOMPARE(spin->maximum(), 450);
    // The bound becomes current, then the spin box, pulled down to it,
    // reports its own text for it.
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toString(), QString("4.5"));
    QCOMPARE(element->current(), QString("4.50"));

    QVERIFY(element->setProperty("min", "1.05"));
    QCOMPARE(spin->minimum(), 105);
    QCOMPARE(element->current(), QString("4.50"));

    QVERIFY(element->setProperty("step", "0.25"));
    QCOMPARE(spin->singleStep(), 25);
    // A step of 0 given later is taken as it is.
    QVERIFY(element->setProperty("step", "0"));
    QCOMPARE(spin->singleStep(), 0);

    QVERIFY(element->setProperty("step", "0.5"));
    QVERIFY(element->setProperty("digits", "1"));
    QCOMPARE(spin->maximum(), 45);
    // 1.05 as a float lies just below 1.05: 10.4999995 + 0.5 truncates to 10.
    QCOMPARE(spin->minimum(), 10);
    QCOMPARE(spin->singleStep(), 5);
}

void TestNumericElements::boundsWithoutControl()
{
    auto element = numeric("INTEGER", "80", "0", "100", "1");
    // Bounds filled in after the value (as the description is read) leave
    // the device's value alone until it is validated.
    QVERIFY(element->setProperty("max", "50"));
    QCOMPARE(element->current(), QString("80"));

    Panel panel;
    element->createControl(&panel);
    element->deleteControl();
    QCOMPARE(element->control(), nullptr);
    // Showing the setting does not change it either.
    QCOMPARE(element->current(), QString("80"));

    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);
    QVERIFY(element->setProperty("max", "30"));
    QCOMPARE(element->current(), QString("30"));
    QVERIFY(element->setProperty("min", "35"));
    QCOMPARE(element->current(), QString("35"));
    QCOMPARE(changed.count(), 2);

    auto decimal = numeric("FLOAT", "2.5", "0", "10", "0.1", "1");
    decimal->createControl(&panel);
    decimal->deleteControl();
    QVERIFY(decimal->setProperty("max", "1.5"));
    QCOMPARE(decimal->current(), QString("1.5"));
    QVERIFY(decimal->setProperty("digits", "3"));
}

void TestNumericElements::setControlValueShowsWithoutEditing()
{
    auto element = numeric("FLOAT", "1.0", "0", "10", "0.1", "2");
    auto *decimal = static_cast<FloatElement *>(element.get());
    CountingDependent dependent("Darkness");
    element->addDependentElement(&dependent);
    Panel panel;
    element->createControl(&panel);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    decimal->setControlValue("2.5");
    QCOMPARE(spinOf(*element)->value(), 250);
    QCOMPARE(element->current(), QString("1.0"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(dependent.checks, 1);

    auto integer = numeric("INTEGER", "3", "0", "10", "1");
    integer->createControl(&panel);
    QSignalSpy integerChanged(integer.get(), &ConcreteElement::valueChanged);
    static_cast<NumericElement *>(integer.get())->setControlValue("7");
    QCOMPARE(spinOf(*integer)->value(), 7);
    QCOMPARE(spinOf(*integer)->text(), QString("7"));
    QCOMPARE(integer->current(), QString("3"));
    QCOMPARE(integerChanged.count(), 0);
}

void TestNumericElements::sliderRow()
{
    auto element = numeric("SLIDER", "6", "0", "10", "2");
    element->setTitle("Cyan");
    static_cast<SliderElement *>(element.get())->setColorMarker("00ffff");
    Panel panel;
    LogCapture log;
    QPointer<QWidget> row = element->createControl(&panel);
    panel.show();

    QVERIFY(log.contains("colorMarker()=<00ffff>"));
    QCOMPARE(row->objectName(), QString("hbox"));
    QCOMPARE(row->size(), QSize(320, 24));
    auto *title = row->findChild<QLabel *>("hbox");
    QVERIFY(title);
    QCOMPARE(title->text(), QString("Cyan : "));

    auto *swatch = row->findChild<QLabel *>("colorMarkLabel");
    QVERIFY(swatch);
    const int side = (3 * title->sizeHint().height()) / 4;
    const QImage image = swatch->pixmap().toImage();
    QCOMPARE(image.size(), QSize(side, side));
    QCOMPARE(image.pixelColor(side / 2, side / 2), QColor("#00ffff"));

    auto *slider = qobject_cast<QSlider *>(element->control());
    QVERIFY(slider);
    QCOMPARE(slider->objectName(), QString("label"));
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 10);
    QCOMPARE(slider->singleStep(), 2);
    QCOMPARE(slider->tickPosition(), QSlider::TicksBelow);
    QCOMPARE(slider->value(), 6);
    QCOMPARE(slider->parentWidget()->findChild<QLabel *>("minusLabel")->text(), QString("-"));
    QCOMPARE(slider->parentWidget()->findChild<QLabel *>("plusLabel")->text(), QString("+"));
    QCOMPARE(row->findChild<QLabel *>("valueLabel")->text(), QString("6"));

    QSignalSpy visible(element.get(), &Element::visibleChanged);
    element->hideControl();
    QVERIFY(!row->isVisible());
    element->showControl();
    QVERIFY(row->isVisible());
    QCOMPARE(visible.count(), 2);

    element->deleteControl();
    QVERIFY(!row);
    QCOMPARE(element->control(), nullptr);
    QVERIFY(panel.findChildren<QWidget *>().isEmpty());
}

void TestNumericElements::sliderWithoutColour()
{
    auto element = numeric("SLIDER", "1", "0", "3", "1");
    Panel panel;
    QWidget *row = element->createControl(&panel);
    QCOMPARE(row->findChild<QLabel *>("colorMarkLabel"), nullptr);
    QVERIFY(row->findChild<QLabel *>("valueLabel"));
}

void TestNumericElements::sliderMovesAndSameValueDoesNotRecheck()
{
    auto element = numeric("SLIDER", "5", "0", "10", "1");
    CountingDependent dependent("Magenta");
    element->addDependentElement(&dependent);
    Panel panel;
    QWidget *row = element->createControl(&panel);
    panel.show();
    auto *slider = qobject_cast<QSlider *>(element->control());
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(element->current(), QString("6"));
    QCOMPARE(row->findChild<QLabel *>("valueLabel")->text(), QString("6"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(dependent.checks, 1);

    // A rule moved the value ahead of the slider; dragging the slider onto
    // it reports the value but changes nothing for the dependents.
    element->setCurrent("7");
    changed.clear();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(slider->value(), 7);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QString("7"));
    QCOMPARE(dependent.checks, 1);

    // Showing a value moves slider and value label without reporting it.
    static_cast<SliderElement *>(element.get())->setControlValue("2");
    QCOMPARE(slider->value(), 2);
    QCOMPARE(row->findChild<QLabel *>("valueLabel")->text(), QString("2"));
    QCOMPARE(element->current(), QString("7"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(dependent.checks, 2);
}

void TestNumericElements::sliderIgnoresLaterBounds()
{
    auto element = numeric("SLIDER", "5", "0", "10", "1");
    Panel panel;
    element->createControl(&panel);
    auto *slider = qobject_cast<QSlider *>(element->control());

    QVERIFY(element->setProperty("max", "3"));
    QVERIFY(element->setProperty("min", "1"));
    QCOMPARE(slider->maximum(), 10);
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(element->current(), QString("5"));
}

QTEST_MAIN(TestNumericElements)
#include "tst_numericelements.moc"

#include "window/doublevalidator.h"
#include "window/floatspinbox.h"
#include "window/intvalidator.h"
#include "window/spinbox.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <climits>

namespace {
QLineEdit *editorOf(QAbstractSpinBox &box)
{
    return box.findChild<QLineEdit *>();
}
} // namespace

class TestSpinBoxes : public QObject
{
    Q_OBJECT
private slots:
    void intValidatorFixup_data()
    {
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("below the range becomes the bottom") << 5 << 10 << "3"
                                                            << "5";
        QTest::newRow("above the range becomes the top") << 5 << 10 << "12"
                                                         << "10";
        QTest::newRow("negative below") << -5 << 5 << "-40"
                                        << "-5";
        QTest::newRow("inside is left alone") << 5 << 10 << "07"
                                              << "07";
        QTest::newRow("no number counts as zero, below") << 5 << 10 << "abc"
                                                         << "5";
        QTest::newRow("no number counts as zero, inside") << -5 << 5 << "abc"
                                                          << "abc";
    }

    void intValidatorFixup()
    {
        QFETCH(int, bottom);
        QFETCH(int, top);
        QFETCH(QString, input);
        IntValidator validator(bottom, top);
        validator.fixup(input);
        QTEST(input, "expected");
    }

    void doubleValidatorFixup_data()
    {
        QTest::addColumn<double>("bottom");
        QTest::addColumn<double>("top");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("surplus decimals are cut, not rounded") << 0.5 << 100.0 << 2 << "1.056"
                                                               << "1.05";
        QTest::newRow("missing integer part becomes 0") << 0.5 << 100.0 << 2 << ".5"
                                                        << "0.5";
        QTest::newRow("leading zeros of the fraction stay") << 0.0 << 100.0 << 2 << ".05"
                                                            << "0.05";
        QTest::newRow("fitting text is left alone") << 0.5 << 100.0 << 2 << "12.5"
                                                    << "12.5";
        QTest::newRow("no point is left alone") << 0.5 << 100.0 << 2 << "7"
                                                << "7";
        QTest::newRow("trailing point is left alone") << 0.5 << 100.0 << 2 << "7."
                                                      << "7.";
        QTest::newRow("below the range becomes the bottom") << 0.5 << 100.0 << 2 << "0.1"
                                                            << "0.50";
        QTest::newRow("above the range becomes the top") << 0.5 << 100.0 << 2 << "250"
                                                         << "100.00";
        QTest::newRow("no number counts as zero") << 0.5 << 100.0 << 2 << "x"
                                                  << "0.50";
        QTest::newRow("white space is trimmed for the range check") << 0.5 << 10.0 << 1 << " 20 "
                                                                    << "10.0";
        QTest::newRow("no decimals keeps one zero") << 0.0 << 10.0 << 0 << "1.75"
                                                    << "1.0";
    }

    void doubleValidatorFixup()
    {
        QFETCH(double, bottom);
        QFETCH(double, top);
        QFETCH(int, decimals);
        QFETCH(QString, input);
        DoubleValidator validator(bottom, top, decimals);
        validator.fixup(input);
        QTEST(input, "expected");
    }

    void spinBoxReportsTypedAndSetText()
    {
        SpinBox box(0, 100, 5, nullptr, "spin");
        QCOMPARE(box.objectName(), QStringLiteral("spin"));
        QCOMPARE(box.singleStep(), 5);
        QSignalSpy spy(&box, &SpinBox::spinChanged);

        box.setValue(42);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().first().toString(), QStringLiteral("42"));

        editorOf(box)->selectAll();
        QTest::keyClicks(&box, QStringLiteral("57"));
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(1).first().toString(), QStringLiteral("5"));
        QCOMPARE(spy.at(2).first().toString(), QStringLiteral("57"));
        QCOMPARE(box.value(), 57);

        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(spy.last().first().toString(), QStringLiteral("62"));
    }

    void spinBoxClampsOutOfRangeInput()
    {
        SpinBox box(0, 100, 1);
        box.setValue(10);
        editorOf(box)->selectAll();
        QTest::keyClicks(&box, QStringLiteral("500"));
        QCOMPARE(box.value(), 50); // "500" is not acceptable yet: the value waits at 50
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.value(), 100);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("100"));
    }

    void spinBoxOwnsItsValidator()
    {
        auto box = std::make_unique<SpinBox>(-3, 7, 1);
        auto *validator = qobject_cast<const IntValidator *>(box->validator());
        QVERIFY(validator);
        QCOMPARE(validator->parent(), box.get());
        QCOMPARE(validator->bottom(), -3);
        QCOMPARE(validator->top(), 7);
        QPointer<const QObject> watch(validator);
        box.reset();
        QVERIFY(watch.isNull());
    }

    void refreshDropsHalfTypedText()
    {
        SpinBox box(0, 100, 1);
        box.setValue(10);
        editorOf(box)->clear();
        QCOMPARE(box.value(), 10);
        QSignalSpy spy(&box, &SpinBox::spinChanged);
        box.refresh();
        QCOMPARE(editorOf(box)->text(), QStringLiteral("10"));
        QCOMPARE(spy.count(), 1);
    }

    void floatSpinBoxScalesToIntegers()
    {
        FloatSpinBox box(0.5f, 10.0f, 0.25f, 2, nullptr, "float");
        QCOMPARE(box.objectName(), QStringLiteral("float"));
        QCOMPARE(box.factor(), 100.0);
        QCOMPARE(box.digits(), 2);
        QCOMPARE(box.minimum(), 50);
        QCOMPARE(box.maximum(), 1000);
        QCOMPARE(box.singleStep(), 25);
        QCOMPARE(editorOf(box)->maxLength(), 20);

        box.setValue(125);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("1.25"));
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.value(), 150);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("1.50"));

        editorOf(box)->selectAll();
        QTest::keyClicks(&box, QStringLiteral("3.14159"));
        QCOMPARE(editorOf(box)->text(), QStringLiteral("3.14")); // the validator allows two decimals
        QCOMPARE(box.value(), 314);
    }

    void floatSpinBoxReplacesTheValidator()
    {
        FloatSpinBox box(0.5f, 10.0f, 0.25f, 2);
        auto *validator = qobject_cast<const DoubleValidator *>(box.validator());
        QVERIFY(validator);
        QCOMPARE(validator->bottom(), 0.5);
        QCOMPARE(validator->top(), 10.0);
        QCOMPARE(validator->decimals(), 2);
        QVERIFY(box.findChildren<IntValidator *>().isEmpty());
        QCOMPARE(box.findChildren<DoubleValidator *>().size(), 1);

        // Repaired through the decimal fixup: above the range becomes the top.
        editorOf(box)->selectAll();
        QTest::keyClicks(&box, QStringLiteral("12"));
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.value(), 1000);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("10.00"));
    }

    void floatValueFromText_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("more decimals than shown") << 2 << "3.14159" << 314;
        QTest::newRow("rounded half up") << 2 << "0.125" << 13;
        QTest::newRow("surrounding space") << 1 << " 2.5 " << 25;
        QTest::newRow("no number is zero") << 2 << "abc" << 0;
        QTest::newRow("too large clamps") << 2 << "1e12" << INT_MAX;
        QTest::newRow("too small clamps") << 2 << "-1e12" << INT_MIN;
        QTest::newRow("negative truncates toward zero") << 2 << "-1.25" << -124;
    }

    void floatValueFromText()
    {
        QFETCH(int, digits);
        QFETCH(QString, text);
        FloatSpinBox box(-100.0f, 100.0f, 1.0f, digits);
        QTEST(box.valueFromText(text), "value");
    }

    void floatSpinBoxWithoutDigitsShowsOneDecimal()
    {
        FloatSpinBox box(0.0f, 10.0f, 1.0f, 0);
        QCOMPARE(box.factor(), 1.0);
        box.setValue(5);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("5.0"));
        QCOMPARE(box.textFromValue(-3), QStringLiteral("-3.0"));
    }

    void floatSpinBoxShowsItsFirstValueFormatted()
    {
        FloatSpinBox box(0.5f, 10.0f, 0.25f, 2);
        QCOMPARE(box.value(), 50);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("0.50"));
    }
};

QTEST_MAIN(TestSpinBoxes)
#include "tst_spinboxes.moc"

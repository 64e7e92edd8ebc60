#include "window/doublevalidator.h"
#include "window/floatspinbox.h"
#include "window/intvalidator.h"
#include "window/spinbox.h"

#include "common/datatable.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <limits>

namespace {
QLineEdit *editorOf(QAbstractSpinBox &box)
{
    return box.findChild<QLineEdit *>();
}

// Replaces the whole text as a user would, optionally confirming with Return.
void type(QAbstractSpinBox &box, const QString &text, bool confirm = false)
{
    editorOf(box)->selectAll();
    QTest::keyClicks(&box, text);
    if (confirm)
        QTest::keyClick(&box, Qt::Key_Return);
}
} // namespace

class TestSpinBoxes : public QObject
{
    Q_OBJECT
private slots:
    void intValidatorFixup_data()
    {
        addColumns<QString, int, int, QString>({"input", "bottom", "top", "expected"});
        QTest::newRow("below the range becomes the bottom") << "3" << 5 << 10 << "5";
        QTest::newRow("above the range becomes the top") << "12" << 5 << 10 << "10";
        QTest::newRow("negative below") << "-40" << -5 << 5 << "-5";
        QTest::newRow("inside is left alone") << "07" << 5 << 10 << "07";
        QTest::newRow("no number counts as zero, below") << "abc" << 5 << 10 << "5";
        QTest::newRow("no number counts as zero, inside") << "abc" << -5 << 5 << "abc";
    }
    void intValidatorFixup()
    {
        QFETCH(QString, input);
        QFETCH(int, bottom);
        QFETCH(int, top);
        IntValidator(bottom, top).fixup(input);
        QTEST(input, "expected");
    }

    void doubleValidatorFixup_data()
    {
        addColumns<QString, double, double, int, QString>({"input", "bottom", "top", "decimals", "expected"});
        QTest::newRow("surplus decimals are cut, not rounded") << "1.056" << 0.5 << 100.0 << 2 << "1.05";
        QTest::newRow("missing integer part becomes 0") << ".05" << 0.0 << 100.0 << 2 << "0.05";
        QTest::newRow("trailing point is left alone") << "7." << 0.5 << 100.0 << 2 << "7.";
        QTest::newRow("below the range becomes the bottom") << "0.1" << 0.5 << 100.0 << 2 << "0.50";
        QTest::newRow("above the range becomes the top") << "250" << 0.5 << 100.0 << 2 << "100.00";
        QTest::newRow("no number counts as zero") << "x" << 0.5 << 100.0 << 2 << "0.50";
        QTest::newRow("white space is trimmed for the range check") << " 20 " << 0.5 << 10.0 << 1 << "10.0";
        QTest::newRow("no decimals keeps one zero") << "1.75" << 0.0 << 10.0 << 0 << "1.0";
    }
    void doubleValidatorFixup()
    {
        QFETCH(QString, input);
        QFETCH(double, bottom);
        QFETCH(double, top);
        QFETCH(int, decimals);
        DoubleValidator(bottom, top, decimals).fixup(input);
        QTEST(input, "expected");
    }

    void spinBoxReportsTypedSetAndSteppedText()
    {
        SpinBox box(0, 100, 5);
        QSignalSpy spy(&box, &SpinBox::spinChanged);
        box.setValue(42);
        type(box, QStringLiteral("57"));
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.value(), 62);
        QCOMPARE(spy.count(), 4);
        for (const QString &text : {"42", "5", "57", "62"})
            QCOMPARE(spy.takeFirst().first().toString(), text);
    }

    void spinBoxClampsOutOfRangeInput()
    {
        SpinBox box(0, 100, 1);
        box.setValue(10);
        type(box, QStringLiteral("500"));
        QCOMPARE(box.value(), 50); // "500" is not acceptable yet: the value waits at 50
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("100"));
    }

    void refreshDropsHalfTypedText()
    {
        SpinBox box(0, 100, 1);
        box.setValue(10);
        editorOf(box)->clear();
        QSignalSpy spy(&box, &SpinBox::spinChanged);
        box.refresh();
        QCOMPARE(box.value(), 10);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("10"));
        QCOMPARE(spy.count(), 1);
    }

    void floatSpinBoxScalesToIntegers()
    {
        FloatSpinBox box(0.5f, 10.0f, 0.25f, 2);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("0.50")); // the first value is shown formatted
        QCOMPARE(box.maximum(), 1000);
        box.setValue(125);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("1.25"));
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("1.50"));
        QCOMPARE(box.value(), 150);

        // The decimal validator replaces the integer one: two decimals pass, a third does not.
        type(box, QStringLiteral("3.14159"));
        QCOMPARE(editorOf(box)->text(), QStringLiteral("3.14"));
        QCOMPARE(box.value(), 314);
        type(box, QStringLiteral("12"), true); // repaired by the decimal fixup
        QCOMPARE(editorOf(box)->text(), QStringLiteral("10.00"));
        QCOMPARE(box.value(), 1000);
    }

    void floatSpinBoxPinsBoundsOutsideTheIntRange()
    {
        // A device may send bounds that no scaled int can hold; they are
        // pinned, never converted out of range.
        FloatSpinBox box(-1e30f, 1e30f, 1e20f, 3);
        QCOMPARE(box.minimum(), INT_MIN);
        QCOMPARE(box.maximum(), INT_MAX);
        QCOMPARE(box.singleStep(), INT_MAX);
        FloatSpinBox nan(std::numeric_limits<float>::quiet_NaN(), 1.0f, 0.1f, 1);
        QCOMPARE(nan.minimum(), 0);
    }

    void floatValueFromText_data()
    {
        // The element suite shows 1.25, -1.25, blanks and no number through
        // the settings; these rows are what it cannot reach.
        addColumns<int, QString, int>({"digits", "text", "value"});
        QTest::newRow("more decimals than shown") << 2 << "3.14159" << 314;
        QTest::newRow("rounded half up") << 2 << "0.125" << 13;
        QTest::newRow("too large clamps") << 2 << "1e12" << INT_MAX;
        QTest::newRow("too small clamps") << 2 << "-1e12" << INT_MIN;
    }
    void floatValueFromText()
    {
        QFETCH(int, digits);
        QFETCH(QString, text);
        FloatSpinBox box(-100.0f, 100.0f, 1.0f, digits);
        QTEST(box.valueFromText(text), "value");
    }
};

QTEST_MAIN(TestSpinBoxes)
#include "tst_spinboxes.moc"

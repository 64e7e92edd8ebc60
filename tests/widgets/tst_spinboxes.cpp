#include "widgets/doublevalidator.h"
#include "widgets/floatspinbox.h"
#include "widgets/intvalidator.h"
#include "widgets/spinbox.h"

#include "common/datatable.h"

#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <memory>

namespace {
// Replaces the whole text as a user would, optionally confirming with Return;
// gives the editor's text afterwards.
QString type(QAbstractSpinBox &box, const QString &text, bool confirm = false)
{
    box.findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(&box, text);
    if (confirm)
        QTest::keyClick(&box, Qt::Key_Return);
    return box.findChild<QLineEdit *>()->text();
}
} // namespace

class TestSpinBoxes : public QObject
{
    Q_OBJECT
private slots:
    void validatorFixup_data()
    {
        // decimals -1: the integer validator
        addColumns<QString, double, double, int, QString>({"input", "bottom", "top", "decimals", "expected"});
        QTest::newRow("int below the range becomes the bottom") << "-40" << -5.0 << 5.0 << -1 << "-5";
        QTest::newRow("int without a number counts as zero") << "abc" << 5.0 << 10.0 << -1 << "5";
        QTest::newRow("surplus decimals are cut, not rounded") << "1.056" << 0.5 << 100.0 << 2 << "1.05";
        QTest::newRow("missing integer part becomes 0") << ".05" << 0.0 << 100.0 << 2 << "0.05";
        QTest::newRow("above, with blanks, becomes the top") << " 20 " << 0.5 << 10.0 << 1 << "10.0";
        QTest::newRow("no number counts as zero") << "x" << 0.5 << 100.0 << 2 << "0.50";
        QTest::newRow("no decimals keeps one zero") << "1.75" << 0.0 << 10.0 << 0 << "1.0";
    }
    void validatorFixup()
    {
        QFETCH(QString, input);
        QFETCH(double, bottom);
        QFETCH(double, top);
        QFETCH(int, decimals);
        if (decimals < 0)
            IntValidator(int(bottom), int(top)).fixup(input);
        else
            DoubleValidator(bottom, top, decimals).fixup(input);
        QTEST(input, "expected");
    }

    void spinBoxReportsClampsAndRefreshes()
    {
        SpinBox box(0, 100, 5);
        QSignalSpy spy(&box, &SpinBox::spinChanged);
        box.setValue(42);
        type(box, QStringLiteral("57"));
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(spy.count(), 4);
        for (const char *text : {"42", "5", "57", "62"})
            QCOMPARE(spy.takeFirst().first().toString(), text);
        // "500" is not acceptable yet: the value waits at 50 until Return clamps it.
        type(box, QStringLiteral("500"));
        QCOMPARE(box.value(), 50);
        QCOMPARE(type(box, QString(), true), QStringLiteral("100"));
        // Half-typed text is dropped, and the value reported once more.
        box.findChild<QLineEdit *>()->clear();
        spy.clear();
        box.refresh();
        QCOMPARE(box.findChild<QLineEdit *>()->text(), QStringLiteral("100"));
        QCOMPARE(spy.count(), 1);
    }

    void floatSpinBoxScalesToIntegers()
    {
        FloatSpinBox box(0.5f, 10.0f, 0.25f, 2);
        QCOMPARE(box.findChild<QLineEdit *>()->text(), QStringLiteral("0.50")); // shown formatted at once
        box.setValue(125);
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.findChild<QLineEdit *>()->text(), QStringLiteral("1.50"));
        // The decimal validator replaces the integer one: two decimals pass, a third does not.
        QCOMPARE(type(box, QStringLiteral("3.14159")), QStringLiteral("3.14"));
        QCOMPARE(box.value(), 314);
        QCOMPARE(type(box, QStringLiteral("12"), true), QStringLiteral("10.00")); // repaired by the fixup
        QCOMPARE(box.value(), 1000);
        QCOMPARE(box.valueFromText(QStringLiteral("0.125")), 13); // rounded half up
    }

    void germanLocaleTypesDeviceNumbers_data()
    {
        // digits -1: the integer spin box (0..5000)
        addColumns<int, QString, int, QString>({"digits", "typed", "value", "shown"});
        addRow("decimal point", 2, "2.75", 275, "2.75");
        addRow("decimal comma is no decimal", 2, "2,75", 200, "2.00");
        addRow("integer without group separator", -1, "1500", 1500, "1500");
    }
    void germanLocaleTypesDeviceNumbers()
    {
        QFETCH(int, digits);
        QFETCH(QString, typed);
        // The user's locale writes 2,75 and 1.500; the device's numbers do not.
        const auto restore = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::unique_ptr<SpinBox> box;
        if (digits < 0)
            box = std::make_unique<SpinBox>(0, 5000, 1);
        else
            box = std::make_unique<FloatSpinBox>(0.0f, 10.0f, 0.25f, digits);
        type(*box, typed, true);
        QTEST(box->value(), "value");
        QTEST(box->text(), "shown");
        int position = 0;
        QString text = QStringLiteral("7.5");
        QCOMPARE(DoubleValidator(0.0, 10.0, 2).validate(text, position), QValidator::Acceptable);
    }

    void floatSpinBoxPinsBoundsOutsideTheIntRange()
    {
        // A device may send bounds that no scaled int can hold; they are
        // pinned, never converted out of range.
        FloatSpinBox box(-1e30f, 1e30f, 1e20f, 3);
        QCOMPARE(box.minimum(), INT_MIN);
        QCOMPARE(box.maximum(), INT_MAX);
        QCOMPARE(box.singleStep(), INT_MAX);
        QCOMPARE(box.valueFromText(QStringLiteral("1e12")), INT_MAX);
        QCOMPARE(box.valueFromText(QStringLiteral("-1e12")), INT_MIN);
        FloatSpinBox nan(float(qQNaN()), 1.0f, 0.1f, 1);
        QCOMPARE(nan.minimum(), 0);
    }
};

QTEST_MAIN(TestSpinBoxes)
#include "tst_spinboxes.moc"

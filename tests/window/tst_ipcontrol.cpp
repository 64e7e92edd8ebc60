#include "window/ipcontrol.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {
// Width at which the cells keep the size measured from the font.
int naturalWidth(const IPControl &control, int *cell)
{
    const QFontMetrics metrics = control.fontMetrics();
    *cell = 0;
    for (const QChar digit : QStringLiteral("0123456789"))
        *cell = qMax(*cell, metrics.horizontalAdvance(digit));
    return 3 * metrics.horizontalAdvance(QLatin1Char('.')) + 12 * *cell + 12;
}

// Focus arrives with activation and selects a section, so let it settle
// before the mouse goes to work.
bool showActive(QWidget &widget)
{
    widget.show();
    widget.activateWindow();
    return QTest::qWaitForWindowActive(&widget);
}
} // namespace

class TestIPControl : public QObject
{
    Q_OBJECT
private slots:
    void startsEmptyAndAllowsOnlyTheAddressForm()
    {
        IPControl control(nullptr, "ip");
        QCOMPARE(control.objectName(), QStringLiteral("ip"));
        QCOMPARE(control.text(), QStringLiteral("..."));
        QCOMPARE(control.maxLength(), 15);
        QVERIFY(!IPControl::isCompleteAddress(control.text()));
        QVERIFY(IPControl::isValidAddress(control.text()));
    }

    void typingAFullSectionMovesToTheNext()
    {
        IPControl control;
        control.setText(QStringLiteral(".168.1.1"));
        control.setCursorPosition(0);
        QTest::keyClicks(&control, QStringLiteral("192"));
        QCOMPARE(control.text(), QStringLiteral("192.168.1.1"));
        QCOMPARE(control.selectedText(), QStringLiteral("168"));
        QCOMPARE(control.cursorPosition(), 7);

        // In the last section no dot follows, so typing there stays put.
        control.setText(QStringLiteral("1.2.3."));
        control.setCursorPosition(6);
        QTest::keyClicks(&control, QStringLiteral("254"));
        QCOMPARE(control.text(), QStringLiteral("1.2.3.254"));
        QCOMPARE(control.cursorPosition(), 9);
        QVERIFY(!control.hasSelectedText());
    }

    void fourthDigitIsRejected()
    {
        IPControl control;
        control.setText(QStringLiteral("192.168.1.1"));
        control.setCursorPosition(2);
        QTest::keyClick(&control, Qt::Key_5);
        QCOMPARE(control.text(), QStringLiteral("192.168.1.1"));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<int>("expectedCursor");
        QTest::addColumn<QString>("expectedSelection");

        const QString address = QStringLiteral("192.168.1.1");
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("backspace after a dot deletes the previous section's digit")
            << address << 4 << int(Qt::Key_Backspace) << none << QStringLiteral("19.168.1.1") << 2
            << QString();
        QTest::newRow("backspace after a dot before an empty section only steps left")
            << QStringLiteral("192..1.1") << 5 << int(Qt::Key_Backspace) << none << QStringLiteral("192..1.1")
            << 4 << QString();
        QTest::newRow("backspace after a leading dot only steps left")
            << QStringLiteral(".1.2.3") << 1 << int(Qt::Key_Backspace) << none << QStringLiteral(".1.2.3")
            << 0 << QString();
        QTest::newRow("backspace inside a section deletes a digit")
            << address << 6 << int(Qt::Key_Backspace) << none << QStringLiteral("192.18.1.1") << 5
            << QString();
        QTest::newRow("delete on a dot does nothing")
            << address << 3 << int(Qt::Key_Delete) << none << address << 3 << QString();
        QTest::newRow("delete on a digit deletes it")
            << address << 4 << int(Qt::Key_Delete) << none << QStringLiteral("192.68.1.1") << 4 << QString();
        QTest::newRow("dot at a section start is ignored")
            << address << 4 << int(Qt::Key_Period) << none << address << 4 << QString();
        QTest::newRow("space at a section start is ignored")
            << address << 8 << int(Qt::Key_Space) << none << address << 8 << QString();
        QTest::newRow("dot inside a section selects the next one")
            << address << 5 << int(Qt::Key_Period) << none << address << 9 << QStringLiteral("1");
        QTest::newRow("space inside a section selects the next one")
            << address << 1 << int(Qt::Key_Space) << none << address << 7 << QStringLiteral("168");
        QTest::newRow("dot in the last section stays")
            << address << 11 << int(Qt::Key_Period) << none << address << 11 << QString();
        QTest::newRow("ctrl+left selects the previous section")
            << address << 9 << int(Qt::Key_Left) << ctrl << address << 7 << QStringLiteral("168");
        QTest::newRow("ctrl+up in the first section goes to the start")
            << address << 2 << int(Qt::Key_Up) << ctrl << address << 0 << QString();
        QTest::newRow("ctrl+right selects the next section")
            << address << 0 << int(Qt::Key_Right) << ctrl << address << 7 << QStringLiteral("168");
        QTest::newRow("ctrl+down in the last section does nothing")
            << address << 10 << int(Qt::Key_Down) << ctrl << address << 10 << QString();
        QTest::newRow("shift+left at a section start does nothing")
            << address << 4 << int(Qt::Key_Left) << shift << address << 4 << QString();
        QTest::newRow("shift+left inside a section grows the selection")
            << address << 6 << int(Qt::Key_Left) << shift << address << 5 << QStringLiteral("6");
        QTest::newRow("shift+right at a section end does nothing")
            << address << 7 << int(Qt::Key_Right) << shift << address << 7 << QString();
        QTest::newRow("shift+right inside a section grows the selection")
            << address << 4 << int(Qt::Key_Right) << shift << address << 5 << QStringLiteral("1");
        QTest::newRow("shift+home does nothing")
            << address << 6 << int(Qt::Key_Home) << shift << address << 6 << QString();
        QTest::newRow("shift+end does nothing")
            << address << 6 << int(Qt::Key_End) << shift << address << 6 << QString();
        QTest::newRow("end moves to the end")
            << address << 6 << int(Qt::Key_End) << none << address << 11 << QString();
    }

    void keys()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        IPControl control;
        control.setText(text);
        control.setCursorPosition(cursor);
        QTest::keyClick(&control, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(control.text(), "expectedText");
        QTEST(control.cursorPosition(), "expectedCursor");
        QTEST(control.selectedText(), "expectedSelection");
    }

    void oneDigitThenDotMovesOn()
    {
        IPControl control;
        control.setText(QStringLiteral("192..7."));
        control.setCursorPosition(4);
        QTest::keyClick(&control, Qt::Key_1);
        QCOMPARE(control.text(), QStringLiteral("192.1.7."));
        QTest::keyClick(&control, '.');
        QCOMPARE(control.selectedText(), QStringLiteral("7"));
        QCOMPARE(control.cursorPosition(), 7);
    }

    void pastingTwoDotsIsReverted()
    {
        IPControl control;
        control.setCursorPosition(0);
        QTest::keyClicks(&control, QStringLiteral("10"));
        QCOMPARE(control.text(), QStringLiteral("10..."));
        QCOMPARE(control.cursorPosition(), 2);

        QGuiApplication::clipboard()->setText(QStringLiteral("1.2.3"));
        if (QGuiApplication::clipboard()->text() != QStringLiteral("1.2.3"))
            QSKIP("this platform has no clipboard");
        QSignalSpy changes(&control, &QLineEdit::textChanged);
        control.selectAll();
        QTest::keyClick(&control, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(changes.count() >= 2); // the pasted text, then the restored one
        // The guard restores from inside the paste's own signal.
        QVERIFY(std::any_of(changes.cbegin(), changes.cend(),
                            [](const QList<QVariant> &args) { return args.first().toString() == "1.2.3"; }));
        QCOMPARE(control.text(), QStringLiteral("10..."));
        QCOMPARE(control.cursorPosition(), 2);
    }

    void guardBeforeAnyValidText()
    {
        // "..." is set before the guard exists, so there is nothing to return to.
        IPControl fresh;
        fresh.setText(QStringLiteral("1.2"));
        QCOMPARE(fresh.text(), QString());

        IPControl used;
        used.setText(QStringLiteral("1.2.3.4"));
        used.setText(QStringLiteral("1.2"));
        QCOMPARE(used.text(), QStringLiteral("1.2.3.4"));
        used.setText(QStringLiteral("1.2.3.4.5"));
        QCOMPARE(used.text(), QStringLiteral("1.2.3.4"));
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("complete");
        QTest::newRow("new control") << QStringLiteral("...") << true << false;
        QTest::newRow("ordinary") << QStringLiteral("192.168.1.10") << true << true;
        QTest::newRow("all zero") << QStringLiteral("0.0.0.0") << false << true;
        QTest::newRow("broadcast") << QStringLiteral("255.255.255.255") << false << true;
        QTest::newRow("some zero") << QStringLiteral("10.0.0.0") << true << true;
        QTest::newRow("mixed 0 and 255") << QStringLiteral("255.0.255.0") << true << true;
        QTest::newRow("above 255 not checked here") << QStringLiteral("300.1.1.1") << true << true;
        QTest::newRow("empty section ends the check") << QStringLiteral("0.0..0") << true << false;
        QTest::newRow("empty last section") << QStringLiteral("255.255.255.") << true << false;
        QTest::newRow("not a number") << QStringLiteral("1.x.3.4") << false << true;
        QTest::newRow("not a number after an empty section") << QStringLiteral("1..x.4") << true << false;
    }

    void addresses()
    {
        QFETCH(QString, text);
        QTEST(IPControl::isValidAddress(text), "valid");
        QTEST(IPControl::isCompleteAddress(text), "complete");
    }

    void focusedSectionIsSelectedOnFocusIn()
    {
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto *other = new QLineEdit(&window);
        auto *control = new IPControl(&window);
        layout->addWidget(other);
        layout->addWidget(control);
        control->setText(QStringLiteral("10.20.30.40"));

        QCOMPARE(control->focusedSection(), 0);
        control->setFocusedSection(4);
        QCOMPARE(control->focusedSection(), 0);
        control->setFocusedSection(-1);
        QCOMPARE(control->focusedSection(), 0);
        QVERIFY(control->setProperty("focusedSection", 2));
        QCOMPARE(control->property("focusedSection").toInt(), 2);
        QVERIFY(!control->hasSelectedText()); // stored only, nothing selected yet

        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        // Tab focus would select everything in a plain line edit.
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        QCOMPARE(control->selectedText(), QStringLiteral("30"));
        QCOMPARE(control->cursorPosition(), 8);
    }

    void mouseWorksOnTheCells()
    {
        IPControl control;
        int cell = 0;
        control.resize(naturalWidth(control, &cell), control.sizeHint().height());
        control.setText(QStringLiteral("192.168.1.10"));
        QVERIFY(showActive(control));
        const int y = control.height() / 2;
        const int span = 3 * cell;

        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(2 * span + 1, y));
        QCOMPARE(control.cursorPosition(), 8); // left of the centred "1": its section start
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(span + span / 2, y));
        QCOMPARE(control.cursorPosition(), 5); // on the middle digit of "168"
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(3 * span - 1, y));
        QCOMPARE(control.cursorPosition(), 9); // right of the centred "1": its section end
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(4 * span + 3, y));
        QCOMPARE(control.cursorPosition(), 12); // beyond the fourth cell: end of text

        // Shift-click into a later section stops at the end of the cursor's section.
        control.setCursorPosition(5);
        QTest::mouseClick(&control, Qt::LeftButton, Qt::ShiftModifier, QPoint(3 * span + span / 2, y));
        QCOMPARE(control.selectedText(), QStringLiteral("68"));
        // ...and into an earlier one at its start.
        control.setCursorPosition(5);
        QTest::mouseClick(&control, Qt::LeftButton, Qt::ShiftModifier, QPoint(span / 2, y));
        QCOMPARE(control.selectedText(), QStringLiteral("1"));
        QCOMPARE(control.cursorPosition(), 4);

        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(span + span / 2, y));
        QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(span + span / 2, y));
        QCOMPARE(control.selectedText(), QStringLiteral("168"));
    }

    void doubleClickOnAnEmptySectionSelectsNothing()
    {
        IPControl control;
        int cell = 0;
        control.resize(naturalWidth(control, &cell), control.sizeHint().height());
        control.setText(QStringLiteral("1..3.4"));
        QVERIFY(showActive(control));
        // A real double click comes after a press that placed the cursor.
        const QPoint inEmptySection(3 * cell + cell, control.height() / 2);
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, inEmptySection);
        QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, inEmptySection);
        QVERIFY(!control.hasSelectedText());
        QCOMPARE(control.cursorPosition(), 2);
    }

    void shiftDragStaysInTheAnchorSection()
    {
        IPControl control;
        int cell = 0;
        control.resize(naturalWidth(control, &cell), control.sizeHint().height());
        control.setText(QStringLiteral("192.168.1.10"));
        QVERIFY(showActive(control));
        const int y = control.height() / 2;
        const int span = 3 * cell;

        QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, QPoint(span + 1, y)); // anchor 4
        QMouseEvent move(QEvent::MouseMove, QPointF(3 * span + span / 2, y),
                         control.mapToGlobal(QPointF(0, y)), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(&control, &move);
        QCOMPARE(control.selectedText(), QStringLiteral("168"));
        QTest::mouseRelease(&control, Qt::LeftButton, Qt::ShiftModifier, QPoint(3 * span + span / 2, y));
    }

    void widerControlGrowsTheCellsForGood()
    {
        IPControl control;
        int cell = 0;
        const int natural = naturalWidth(control, &cell);
        const int grow = 10;
        control.resize(natural + 12 * grow, control.sizeHint().height());
        control.setText(QStringLiteral("1.2.3.4"));
        QVERIFY(showActive(control));
        const int span = 3 * (cell + grow);
        const int y = control.height() / 2;

        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(2 * span + 1, y));
        QCOMPARE(control.cursorPosition(), 4); // start of section 2 in the widened cells

        control.resize(natural, control.height());
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(2 * span + 1, y));
        QCOMPARE(control.cursorPosition(), 4);
    }

    void cursorBlinksOnePhasePerPaint()
    {
        IPControl control;
        int cell = 0;
        control.resize(naturalWidth(control, &cell), control.sizeHint().height());
        QVERIFY(showActive(control));
        control.setFocus();
        QTRY_VERIFY(control.hasFocus());
        QCOMPARE(control.cursorPosition(), 0); // the empty first section

        const int band = qMin(control.height(), control.fontMetrics().lineSpacing() + 4);
        const QPoint onCursor(3 * cell / 2, (control.height() - band) / 2 + band / 2);
        const QColor text = control.palette().color(QPalette::Text);
        // Nothing runs the event loop between the two paints.
        const bool first = control.grab().toImage().pixelColor(onCursor) == text;
        const bool second = control.grab().toImage().pixelColor(onCursor) == text;
        QVERIFY(first != second);
    }

    void paintsDotsBetweenTheCells()
    {
        IPControl control;
        int cell = 0;
        control.resize(naturalWidth(control, &cell), control.sizeHint().height());
        control.setText(QStringLiteral("1.2.3.4"));
        const QImage image = control.grab().toImage();
        const int band = qMin(control.height(), control.fontMetrics().lineSpacing() + 4);
        const int dotY = (control.height() - band) / 2 + band - 5;
        const QColor text = control.palette().color(QPalette::Text);
        const QColor base = control.palette().color(QPalette::Base);
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(image.pixelColor(3 * cell * n, dotY), text);
            QCOMPARE(image.pixelColor(3 * cell * n, dotY - 2), base);
        }
    }
};

QTEST_MAIN(TestIPControl)
#include "tst_ipcontrol.moc"

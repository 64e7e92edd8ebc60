#include "window/ipcontrol.h"

#include "common/datatable.h"
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {
// The control's state as one text: '|' marks the cursor, brackets the selection.
QString shown(const QLineEdit &edit)
{
    QString text = edit.text();
    const int cursor = edit.cursorPosition();
    if (!edit.hasSelectedText())
        return text.insert(cursor, QLatin1Char('|'));
    const int start = edit.selectionStart();
    const int end = start + int(edit.selectedText().size());
    text.insert(end, QLatin1String(cursor == end ? "|]" : "]"));
    return text.insert(start, QLatin1String(cursor == start ? "[|" : "["));
}

// The reverse for a text without selection: sets the text and the cursor.
void place(QLineEdit &edit, const QString &marked)
{
    edit.setText(QString(marked).remove(QLatin1Char('|')));
    edit.setCursorPosition(int(marked.indexOf(QLatin1Char('|'))));
}

// The width of a digit cell measured from the font, and the control sized so
// the cells keep it (widened by grow pixels per cell), shown and active.
int showWithCells(IPControl &control, int grow = 0)
{
    const QFontMetrics metrics = control.fontMetrics();
    int cell = 0;
    for (const QChar digit : QStringLiteral("0123456789"))
        cell = qMax(cell, metrics.horizontalAdvance(digit));
    control.resize(3 * metrics.horizontalAdvance(QLatin1Char('.')) + 12 * (cell + grow) + 12,
                   control.sizeHint().height());
    control.show();
    control.activateWindow();
    // Focus arrives with activation and selects a section: let it settle first.
    return QTest::qWaitForWindowActive(&control) ? cell : 0;
}

} // namespace

class TestIPControl : public QObject
{
    Q_OBJECT
private slots:
    void keys_data()
    {
        addColumns<QString, QString, QString>({"before", "key", "after"});
        const auto row = [](const char *name, const char *before, const char *key, const char *after) {
            QTest::newRow(name) << QString::fromUtf8(before) << QString::fromUtf8(key)
                                << QString::fromUtf8(after);
        };
        row("third digit selects the next section", "19|.168.1.1", "2", "192.[168|].1.1");
        row("third digit in the last section stays", "1.2.3.25|", "4", "1.2.3.254|");
        row("fourth digit is refused", "19|2.168.1.1", "5", "19|2.168.1.1");
        row("backspace after a dot deletes the previous section's digit", "192.|168.1.1", "Backspace",
            "19|.168.1.1");
        row("backspace after a dot before an empty section only steps left", "192..|1.1", "Backspace",
            "192.|.1.1");
        row("delete on a dot does nothing", "192|.168.1.1", "Delete", "192|.168.1.1");
        row("dot at a section start is ignored", "192.|168.1.1", ".", "192.|168.1.1");
        row("space inside a section selects the next one", "1|92.168.1.1", "Space", "192.[168|].1.1");
        row("dot in the last section stays", "192.168.1.1|", ".", "192.168.1.1|");
        row("ctrl+left selects the previous section", "192.168.|1.1", "Ctrl+Left", "192.[168|].1.1");
        row("ctrl+up in the first section goes to the start", "19|2.168.1.1", "Ctrl+Up", "|192.168.1.1");
        row("shift+left at a section start does nothing", "192.|168.1.1", "Shift+Left", "192.|168.1.1");
        row("shift+left inside a section grows the selection", "192.16|8.1.1", "Shift+Left",
            "192.1[|6]8.1.1");
        row("shift+home does nothing", "192.16|8.1.1", "Shift+Home", "192.16|8.1.1");
    }
    void keys()
    {
        QFETCH(QString, before);
        QFETCH(QString, key);
        IPControl control;
        place(control, before);
        const QKeyCombination combination = QKeySequence::fromString(key)[0];
        QVERIFY(combination.key() != Qt::Key_unknown);
        QTest::keyClick(&control, combination.key(), combination.keyboardModifiers());
        QTEST(shown(control), "after");
    }

    void pastingTwoDotsIsReverted()
    {
        IPControl control;
        control.setCursorPosition(0);
        QTest::keyClicks(&control, QStringLiteral("10"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1.2.3"));
        if (QGuiApplication::clipboard()->text() != QStringLiteral("1.2.3"))
            QSKIP("this platform has no clipboard");
        QSignalSpy changes(&control, &QLineEdit::textChanged);
        control.selectAll();
        QTest::keyClick(&control, Qt::Key_V, Qt::ControlModifier);
        // The guard restores from inside the paste's own signal.
        QVERIFY(std::any_of(changes.cbegin(), changes.cend(),
                            [](const QList<QVariant> &args) { return args.first().toString() == "1.2.3"; }));
        QCOMPARE(shown(control), QStringLiteral("10|..."));
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
        addColumns<QString, bool, bool>({"text", "valid", "complete"});
        QTest::newRow("new control") << QStringLiteral("...") << true << false;
        QTest::newRow("ordinary") << QStringLiteral("192.168.1.10") << true << true;
        QTest::newRow("all zero") << QStringLiteral("0.0.0.0") << false << true;
        QTest::newRow("broadcast") << QStringLiteral("255.255.255.255") << false << true;
        QTest::newRow("above 255 not checked here") << QStringLiteral("300.1.1.1") << true << true;
        QTest::newRow("empty section ends the check") << QStringLiteral("0.0..0") << true << false;
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
        auto *other = new QLineEdit(&window);
        auto *control = new IPControl(&window);
        control->move(0, 40);
        control->setText(QStringLiteral("10.20.30.40"));
        control->setFocusedSection(2);
        control->setFocusedSection(4); // out of range: ignored
        control->setFocusedSection(-1);
        QCOMPARE(control->focusedSection(), 2);

        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        // Tab focus would select everything in a plain line edit.
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        QCOMPARE(shown(*control), QStringLiteral("10.20.[30|].40"));
    }

    void mouse_data()
    {
        // Where the mouse goes: digit cells from the left plus pixels.
        addColumns<QString, QString, double, int, QString>({"before", "action", "cells", "pixels", "after"});
        const auto row = [](const char *name, const char *before, const char *action, double cells,
                            int pixels, const char *after) {
            QTest::newRow(name) << QString::fromUtf8(before) << QString::fromUtf8(action) << cells << pixels
                                << QString::fromUtf8(after);
        };
        const char *address = "|192.168.1.10";
        row("left of a centred digit: its section start", address, "click", 6, 1, "192.168.|1.10");
        row("on a middle digit", address, "click", 4.5, 0, "192.1|68.1.10");
        row("beyond the fourth cell: end of text", address, "click", 12, 3, "192.168.1.10|");
        row("shift-click into a later section stops at the section end", "192.1|68.1.10", "shift", 10.5, 0,
            "192.1[68|].1.10");
        row("double click selects the section", address, "double", 4.5, 0, "192.[168|].1.10");
        row("double click on an empty section selects nothing", "|1..3.4", "double", 4, 0, "1.|.3.4");
        // Cells grown by 10 pixels each stay grown when the control narrows again.
        row("cells keep the width of a wider control", "|1.2.3.4", "widened", 6, 61, "1.2.|3.4");
    }
    void mouse()
    {
        QFETCH(QString, before);
        QFETCH(QString, action);
        QFETCH(double, cells);
        QFETCH(int, pixels);
        IPControl control;
        const bool widened = action == QLatin1String("widened");
        const int cell = showWithCells(control, widened ? 10 : 0);
        QVERIFY(cell > 0);
        if (widened)
            QCOMPARE(showWithCells(control), cell); // narrowed to the measured cells again
        place(control, before);
        const QPoint at(int(cells * cell) + pixels, control.height() / 2);
        // A real double click comes after a press that placed the cursor.
        QTest::mouseClick(&control, Qt::LeftButton,
                          action == QLatin1String("shift") ? Qt::ShiftModifier : Qt::NoModifier, at);
        if (action == QLatin1String("double"))
            QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, at);
        QTEST(shown(control), "after");
    }

    void shiftDragStaysInTheAnchorSection()
    {
        IPControl control;
        const int span = 3 * showWithCells(control);
        QVERIFY(span > 0);
        control.setText(QStringLiteral("192.168.1.10"));
        const int y = control.height() / 2;
        QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, QPoint(span + 1, y)); // anchor 4
        QMouseEvent move(QEvent::MouseMove, QPointF(3 * span + span / 2, y),
                         control.mapToGlobal(QPointF(0, y)), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(&control, &move);
        QCOMPARE(control.selectedText(), QStringLiteral("168"));
        QTest::mouseRelease(&control, Qt::LeftButton, Qt::ShiftModifier, QPoint(3 * span + span / 2, y));
    }

    void paintsDotsBetweenTheCells()
    {
        IPControl control;
        const int cell = showWithCells(control);
        QVERIFY(cell > 0);
        control.setText(QStringLiteral("1.2.3.4"));
        const QImage image = control.grab().toImage();
        // Near the foot of the band of text, which is centred in the control.
        const int band = qMin(control.height(), control.fontMetrics().lineSpacing() + 4);
        const int dotY = (control.height() - band) / 2 + band - 5;
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(image.pixelColor(3 * cell * n, dotY), control.palette().color(QPalette::Text));
            QCOMPARE(image.pixelColor(3 * cell * n, dotY - 2), control.palette().color(QPalette::Base));
        }
    }
};

QTEST_MAIN(TestIPControl)
#include "tst_ipcontrol.moc"

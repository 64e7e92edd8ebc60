#include "widgets/ipcontrol.h"

#include "common/datatable.h"
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

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
// the cells keep it, shown and active.
int showWithCells(IPControl &control)
{
    const QFontMetrics metrics = control.fontMetrics();
    int cell = 0;
    for (const QChar digit : QStringLiteral("0123456789"))
        cell = qMax(cell, metrics.horizontalAdvance(digit));
    control.resize(3 * metrics.horizontalAdvance(QLatin1Char('.')) + 12 * cell + 12,
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
        addRow("third digit selects the next section", "19|.168.1.1", "2", "192.[168|].1.1");
        addRow("third digit in the last section stays", "1.2.3.25|", "4", "1.2.3.254|");
        addRow("fourth digit is refused", "19|2.168.1.1", "5", "19|2.168.1.1");
        addRow("backspace after a dot eats the previous digit", "192.|168.1.1", "Backspace", "19|.168.1.1");
        addRow("backspace before an empty section only steps left", "192..|1.1", "Backspace", "192.|.1.1");
        addRow("delete on a dot does nothing", "192|.168.1.1", "Delete", "192|.168.1.1");
        addRow("dot at a section start is ignored", "192.|168.1.1", ".", "192.|168.1.1");
        addRow("space inside a section selects the next one", "1|92.168.1.1", "Space", "192.[168|].1.1");
        addRow("ctrl+left selects the previous section", "192.168.|1.1", "Ctrl+Left", "192.[168|].1.1");
        addRow("shift+left inside a section selects", "192.16|8.1.1", "Shift+Left", "192.1[|6]8.1.1");
        addRow("shift+left at a section start does nothing", "192.|168.1.1", "Shift+Left", "192.|168.1.1");
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
        // The paste did arrive; the guard restores from inside its own signal.
        QVERIFY(changes.contains(QVariantList{QStringLiteral("1.2.3")}));
        QCOMPARE(shown(control), QStringLiteral("10|..."));
    }

    void addresses_data()
    {
        addColumns<QString, bool, bool>({"text", "valid", "complete"});
        addRow("new control", QStringLiteral("..."), true, false);
        addRow("empty section ends the check", QStringLiteral("0.0..0"), true, false);
        addRow("not a number", QStringLiteral("1.x.3.4"), false, true);
    }
    void addresses()
    {
        QFETCH(QString, text);
        QTEST(IPControl::isValidAddress(text), "valid");
        QTEST(IPControl::isCompleteAddress(text), "complete");
    }

    void focusSelectsItsSectionAndDotsArePainted()
    {
        IPControl control;
        control.setText(QStringLiteral("10.20.30.40"));
        control.setFocusedSection(2);
        control.setFocusedSection(4); // out of range: ignored
        const int cell = showWithCells(control);
        QVERIFY(cell > 0);
        // Tab focus would select everything in a plain line edit.
        control.clearFocus();
        control.setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(shown(control), QStringLiteral("10.20.[30|].40"));

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

    void mouse_data()
    {
        // Where the mouse goes: digit cells from the left plus pixels.
        addColumns<QString, QString, double, int, QString>({"before", "action", "cells", "pixels", "after"});
        addRow("left of a centred digit: section start", "|192.168.1.10", "click", 6.0, 1, "192.168.|1.10");
        addRow("shift-click stops at the section end", "192.1|68.1.10", "shift", 10.5, 0, "192.1[68|].1.10");
        addRow("double click selects the section", "|192.168.1.10", "double", 4.5, 0, "192.[168|].1.10");
    }
    void mouse()
    {
        QFETCH(QString, before);
        QFETCH(QString, action);
        QFETCH(double, cells);
        QFETCH(int, pixels);
        IPControl control;
        const int cell = showWithCells(control);
        QVERIFY(cell > 0);
        place(control, before);
        const QPoint at(int(cells * cell) + pixels, control.height() / 2);
        // A real double click comes after a press that placed the cursor.
        QTest::mouseClick(&control, Qt::LeftButton,
                          action == QLatin1String("shift") ? Qt::ShiftModifier : Qt::NoModifier, at);
        if (action == QLatin1String("double"))
            QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, at);
        QTEST(shown(control), "after");
    }
};

QTEST_MAIN(TestIPControl)
#include "tst_ipcontrol.moc"

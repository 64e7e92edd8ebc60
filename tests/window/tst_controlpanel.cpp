#include "common/datatable.h"
#include "common/logcapture.h"
#include "common/programfaults.h"
#include "window/showndescription.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {
struct ValuesWindow : ShownDescription
{
    ValuesWindow() : ShownDescription(QStringLiteral("window_values.xml")) {}

    QString document() const { return source.parser()->getChanges(QString()); }
    // Gives the list the keyboard focus, as a Tab into it would.
    void focus(QTreeWidget *list)
    {
        dialog.activateWindow();
        list->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(list->hasFocus());
    }
};

// What a control shows of its value.
QString shownText(QWidget *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *box = qobject_cast<QCheckBox *>(control))
        return box->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        return spin->findChild<QLineEdit *>()->text();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    return QStringLiteral("?");
}
} // namespace

class TestControlPanel : public QObject
{
    Q_OBJECT
private slots:
    void init() { FailOnProgramFaults(); }

    void initTestCase()
    {
        // The folder pictures are found beside the program, as in a run.
        QVERIFY(QDir::setCurrent(QStringLiteral(VELMORA_STAGE_DIR "/bin")));
    }

    // A value changed by anything but its own control shows in the control,
    // written as the setting holds it; what goes to the device does not
    // depend on whether the control is shown.
    void valueChangedElsewhereShowsInItsControl_data()
    {
        // change: "rule", "neighbour" or "default"
        addColumns<QString, QString, QString, QString>({"shown", "change", "watched", "expected"});
        addRow("rule sets a member through an attribute", "Layout", "rule", "Copies", "1");
        addRow("rule's decimal keeps its text", "Layout", "rule", "Margin", "4.5");
        addRow("rule moves a check box's value", "Media", "rule", "Media", "checked");
        addRow("member sets its neighbour", "Layout", "neighbour", "Copies", "3");
        addRow("printer default", "Layout", "default", "Copies", "2");
    }
    void valueChangedElsewhereShowsInItsControl()
    {
        QFETCH(QString, shown);
        QFETCH(QString, change);
        QFETCH(QString, watched);
        QFETCH(QString, expected);
        ValuesWindow hidden;
        ValuesWindow window;
        window.select(shown);
        for (ValuesWindow *each : {&hidden, &window}) {
            if (change == QLatin1String("rule"))
                each->set(QStringLiteral("Source"), QStringLiteral("Manual"));
            else if (change == QLatin1String("neighbour") && each == &hidden)
                each->set(QStringLiteral("Duplex"), QStringLiteral("On"));
            else if (change == QLatin1String("neighbour"))
                qobject_cast<QCheckBox *>(each->element(QStringLiteral("Duplex"))->control())->click();
            else
                each->dialog.defBtn->click();
        }
        QCOMPARE(shownText(window.element(watched)->control()), expected);
        QCOMPARE(window.document(), hidden.document());
        QVERIFY(window.dialog.applyBtn->isEnabled());
    }

    // Moving the control's own value reaches the setting and its rules as
    // before: the written value is no edit, the next one is.
    void controlStillReportsAfterAWrittenValue()
    {
        ValuesWindow window;
        window.select(QStringLiteral("Layout"));
        window.set(QStringLiteral("Duplex"), QStringLiteral("On"));
        auto *spin = qobject_cast<QSpinBox *>(window.element(QStringLiteral("Copies"))->control());
        QVERIFY(spin);
        QCOMPARE(spin->value(), 3);
        spin->stepUp();
        QCOMPARE(qobject_cast<ConcreteElement *>(window.element(QStringLiteral("Copies")))->current(),
                 QStringLiteral("4"));
        QCOMPARE(window.row(QStringLiteral("Layout"))->text(1), QStringLiteral("4"));
    }

    // Nothing is selected until the person picks something: the keyboard
    // focus on a list alone does not choose its first row.
    void windowOpensWithNothingSelected_data()
    {
        addColumns<QString>({"focused"});
        addRow("no focus", "");
        addRow("favourites focused", "favourites");
        addRow("tree focused", "tree");
    }
    void windowOpensWithNothingSelected()
    {
        QFETCH(QString, focused);
        ValuesWindow window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.dialog));
        if (!focused.isEmpty())
            window.focus(focused == QLatin1String("tree") ? window.dialog.paramList
                                                          : window.dialog.favoriteList);
        QVERIFY(!window.dialog.paramList->currentItem());
        QVERIFY(!window.dialog.favoriteList->currentItem());
        QVERIFY(window.dialog.paramList->selectedItems().isEmpty());
        QVERIFY(window.dialog.helpBtn->isHidden());
        QVERIFY(window.dialog.panel->findChildren<QWidget *>().isEmpty());
    }

    void pickingAFavouriteSelects_data()
    {
        addColumns<bool>({"byKey"});
        addRow("click", false);
        addRow("arrow key", true);
    }
    void pickingAFavouriteSelects()
    {
        QFETCH(bool, byKey);
        ValuesWindow window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.dialog));
        QTreeWidget *favourites = window.dialog.favoriteList;
        if (byKey) {
            window.focus(favourites);
            QTest::keyClick(favourites, Qt::Key_Down);
        } else {
            const QRect place = favourites->visualItemRect(favourites->topLevelItem(0));
            QTest::mouseClick(favourites->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        }
        QVERIFY(favourites->currentItem());
        QCOMPARE(favourites->currentItem()->text(0), QStringLiteral("Paper"));
        QCOMPARE(window.dialog.paramList->currentItem(), window.row(QStringLiteral("Source")));
        QVERIFY(window.dialog.helpBtn->isVisible());
    }

    // A control that shows its own text is announced by it; the setting's
    // title describes it where it says something else.
    void controlsAreAnnouncedByWhatTheyShow_data()
    {
        addColumns<QString, QString, QString, QString>({"shown", "id", "name", "description"});
        addRow("button", "Clean", "Clean", "Clean now", "Head cleaning");
        addRow("check box", "Layout", "Duplex", "Both sides", "");
        addRow("spin box", "Layout", "Copies", "Copies", "");
    }
    void controlsAreAnnouncedByWhatTheyShow()
    {
        QFETCH(QString, shown);
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, description);
        ValuesWindow window;
        window.select(shown);
        QWidget *control = window.element(id)->control();
        QVERIFY(control);
        if (auto *button = control->findChild<QPushButton *>())
            control = button;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(accessible->text(QAccessible::Description), description);
    }

    // A group's trace names its main member's value inside its brackets.
    void groupTraceHoldsItsMainMemberValue()
    {
        LogCapture trace;
        ValuesWindow window;
        const QStringList lines = trace.lines();
        const qsizetype open = lines.indexOf(QStringLiteral("COMPLEX ELEMENT { subelems=3"));
        QVERIFY(open >= 0);
        const qsizetype close = lines.indexOf(QStringLiteral("COMPLEX ELEMENT }"), open);
        QVERIFY(close > open);
        QCOMPARE(lines.indexOf(QStringLiteral("\tcurrent=<5>"), open), close - 1);
    }
};

QTEST_MAIN(TestControlPanel)
#include "tst_controlpanel.moc"

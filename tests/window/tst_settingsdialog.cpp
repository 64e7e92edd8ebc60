#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/programfaults.h"
#include "model/element.h"
#include "window/controlpanel.h"
#include "window/showndescription.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct TreeWindow : ShownDescription
{
    explicit TreeWindow(const QString &name = QStringLiteral("window_tree.xml")) : ShownDescription(name) {}

    SettingsViewItem *favorite(const QString &title) const
    {
        const auto found = dialog.favoriteList->findItems(title, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : SettingsViewItem::from(found.first());
    }
};
} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT
private slots:
    void init() { FailOnProgramFaults(); }

    void initTestCase()
    {
        // The folder pictures are found beside the program, as in a run.
        QVERIFY(QDir::setCurrent(QStringLiteral(VELMORA_STAGE_DIR "/bin")));
    }

    void fillShowsTheDescription()
    {
        TreeWindow shown;
        QCOMPARE(shown.dialog.paramList->headerItem()->text(0), QStringLiteral("Test printer"));
        QStringList favorites;
        for (int i = 0; i < shown.dialog.favoriteList->topLevelItemCount(); ++i)
            favorites << shown.dialog.favoriteList->topLevelItem(i)->text(0);
        // Categories first, then the settings beside them, in description order.
        QCOMPARE(favorites, QStringList({"Paper", "<b>Bold</b> &amp; co", "Copies"}));
        QCOMPARE(shown.dialog.paramList->topLevelItemCount(), 3);
        QCOMPARE(shown.row("Margins")->text(1), QStringLiteral("5")); // the main member's value
        QCOMPARE(shown.row("TrayMode")->text(1), QStringLiteral("Automatic"));
        QVERIFY(shown.row("Finishing")->text(1).isEmpty());
    }

    void selectingARow_data()
    {
        addColumns<QString, bool, QString>({"id", "withControl", "favorite"});
        addRow("category", "Paper", false, "Paper");
        addRow("setting", "Darkness", true, "Paper");
        addRow("setting of a nested category", "TrayMode", true, "Paper");
        addRow("group", "Margins", true, "Paper");
        addRow("setting beside the categories", "Copies", true, "Copies");
    }
    void selectingARow()
    {
        QFETCH(QString, id);
        QFETCH(bool, withControl);
        QFETCH(QString, favorite);
        TreeWindow shown;
        shown.select(QStringLiteral("Darkness")); // a control to be replaced
        shown.select(id);
        QCOMPARE(shown.dialog.helpBtn->isVisible(), withControl);
        const QList<QWidget *> shownControls =
            shown.dialog.panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(shownControls.size(), withControl ? 1 : 0); // one control at a time
        QCOMPARE(shown.dialog.favoriteList->currentItem()->text(0), favorite);
    }

    void choosingAFavorite_data()
    {
        addColumns<QString, QString>({"favorite", "selected"});
        addRow("category: its first child", "Paper", "Tray");
        addRow("setting: itself", "Copies", "Copies");
    }
    void choosingAFavorite()
    {
        QFETCH(QString, favorite);
        QFETCH(QString, selected);
        TreeWindow shown;
        shown.row(QStringLiteral("Paper"))->setExpanded(false);
        shown.dialog.favoriteList->setCurrentItem(shown.favorite(favorite));
        QCOMPARE(shown.dialog.paramList->currentItem(), shown.row(selected));
        if (favorite == QLatin1String("Paper"))
            QVERIFY(shown.row(QStringLiteral("Paper"))->isExpanded());
    }

    void changedValueShowsInItsRowBold_data()
    {
        addColumns<QString, QString>({"typedInto", "row"});
        addRow("setting", "Darkness", "Darkness");
        addRow("main member of a group", "Top", "Margins");
    }
    void changedValueShowsInItsRowBold()
    {
        QFETCH(QString, typedInto);
        QFETCH(QString, row);
        TreeWindow shown;
        shown.select(row);
        SettingsViewItem *item = shown.row(row);
        QVERIFY(!item->isValueBold());
        shown.type(typedInto, QStringLiteral("7"));
        QCOMPARE(item->text(1), QStringLiteral("7"));
        QVERIFY(shown.dialog.applyBtn->isEnabled());
        QVERIFY(item->isValueBold());
        QVERIFY(item->data(1, Qt::FontRole).value<QFont>().bold());
        QVERIFY(!item->data(0, Qt::FontRole).value<QFont>().bold());

        // Back to the applied value: drawn plain again.
        shown.type(typedInto, row == QLatin1String("Margins") ? QStringLiteral("5") : QStringLiteral("3"));
        QVERIFY(!item->isValueBold());
    }

    void listValueShowsItsOptionTitle()
    {
        TreeWindow shown;
        shown.select(QStringLiteral("TrayMode"));
        auto *combo = qobject_cast<QComboBox *>(shown.element(QStringLiteral("TrayMode"))->control());
        QVERIFY(combo);
        // What a pick in the open list does.
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        QCOMPARE(shown.row(QStringLiteral("TrayMode"))->text(1), QStringLiteral("Manual feed"));
        QVERIFY(shown.row(QStringLiteral("TrayMode"))->isValueBold());
    }

    void ruleHidesARow()
    {
        TreeWindow shown;
        shown.select(QStringLiteral("Darkness"));
        shown.type(QStringLiteral("Darkness"), QStringLiteral("9"));
        QVERIFY(shown.row(QStringLiteral("TrayMode"))->isHidden());
        shown.type(QStringLiteral("Darkness"), QStringLiteral("8"));
        QVERIFY(!shown.row(QStringLiteral("TrayMode"))->isHidden());
    }

    // The settings outlive a window that observed them: what they say
    // after it has gone reaches nobody.
    void settingsOutliveTheirWindow()
    {
        LocalDescription source(QStringLiteral(VELMORA_TEST_DATA "/window_tree.xml"));
        auto dialog = std::make_unique<SettingsDialog>();
        QVERIFY(dialog->initialize(&source, QStringLiteral("Test printer")));
        auto *darkness = qobject_cast<ConcreteElement *>(source.parser()->findElement(QStringLiteral("Darkness")));
        QVERIFY(darkness);
        dialog.reset();
        darkness->setCurrent(QStringLiteral("9"));
        darkness->checkDependencies();
        darkness->announceReset();
        darkness->hideControl();
        QCOMPARE(darkness->current(), QStringLiteral("9"));
    }

    void slidingTwiceRestoresThePane()
    {
        TreeWindow shown;
        const int width = shown.dialog.favoriteList->width();
        shown.dialog.slider->click();
        QVERIFY(shown.dialog.favoriteList->isHidden());
        QCOMPARE(SettingsDialog::favoritePaneWidth(), width);
        shown.dialog.slider->click();
        QVERIFY(shown.dialog.favoriteList->isVisible());
        QCOMPARE(shown.dialog.favoriteList->width(), width);
    }

    void helpText_data()
    {
        addColumns<QString, QString>({"id", "text"});
        addRow("setting", "Darkness", "*Darkness<br>Darkness");
        // Direct members only; the group's own title is not shown.
        addRow("group", "Margins",
               "*Margins<br>Margins<br><br>*Left margin<br>Left margin<br><br>*Edge<br>Edge<br><br>");
        addRow("markup is escaped", "Owner", "*&lt;i&gt;Owner&lt;/i&gt;<br>&lt;i&gt;Owner&lt;/i&gt;");
    }
    void helpText()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        TreeWindow shown;
        QCOMPARE(HelpText(shown.element(id)), text);
    }

    void markupShowsLiterally()
    {
        TreeWindow shown;
        QCOMPARE(shown.row(QStringLiteral("Markup"))->text(0), QStringLiteral("<b>Bold</b> &amp; co"));
        QVERIFY(shown.row(QStringLiteral("Markup"))
                    ->data(0, Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("&lt;b&gt;Bold&lt;/b&gt; &amp;amp; co")));
        shown.select(QStringLiteral("Owner"));
        auto *label = shown.dialog.panel->findChild<QLabel *>(QStringLiteral("label"));
        QVERIFY(label);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<i>Owner</i> : "));
        QCOMPARE(shown.row(QStringLiteral("Owner"))->text(1), QStringLiteral("<u>me</u>"));
    }

    void controlsAreNamedAndReachable()
    {
        TreeWindow shown;
        shown.select(QStringLiteral("Margins"));
        QWidget *member = shown.element(QStringLiteral("Left"))->control();
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(member);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Left margin"));
        // From the tree the keyboard reaches the panel before the buttons.
        QWidget *next = shown.dialog.paramList->nextInFocusChain();
        while (next && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QVERIFY(next && shown.dialog.panel->isAncestorOf(next));
    }

    // The value column fits the widest value shown once the window is
    // filled, also where a rule changed values while it filled; the load
    // check names the values the rules did not keep.
    void valueColumnFitsValuesSetWhileFilling()
    {
        MessageBoxRecorder boxes;
        TreeWindow shown(QStringLiteral("window_widths.xml"));
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.endsWith(QStringLiteral("Feed\nFinish\n")));
        const QString grown = shown.row(QStringLiteral("Feed"))->text(1);
        QCOMPARE(grown, QStringLiteral("A feed that only a rule chooses, wider than the other values"));
        QCOMPARE(shown.row(QStringLiteral("Finish"))->text(1), QStringLiteral("Plain"));

        QFont bold = shown.dialog.paramList->font();
        bold.setBold(true);
        const int needed = QFontMetrics(bold).horizontalAdvance(grown);
        const int column = shown.dialog.paramList->header()->sectionSize(1);
        QVERIFY2(column >= needed, qPrintable(QStringLiteral("%1 < %2").arg(column).arg(needed)));
        // Not sized for the value the rule replaced.
        QVERIFY2(column < needed * 3 / 2, qPrintable(QStringLiteral("%1 vs %2").arg(column).arg(needed)));
    }

    // Titles are never cut short: the title column is as wide as the widest
    // title, and a narrower view scrolls sideways.
    void titlesShowWhole_data()
    {
        addColumns<int>({"widenedTo"});
        addRow("as opened", 0);
        addRow("after being made wider and narrower again", 1200);
    }
    void titlesShowWhole()
    {
        QFETCH(int, widenedTo);
        TreeWindow shown(QStringLiteral("window_titles.xml"));
        QTreeWidget *list = shown.dialog.paramList;
        if (widenedTo) {
            const QSize opened = shown.dialog.size();
            shown.dialog.resize(widenedTo, opened.height());
            QCoreApplication::sendPostedEvents();
            shown.dialog.resize(opened);
        }
        QCoreApplication::sendPostedEvents();
        const int column = list->header()->sectionSize(0);
        const int needed = static_cast<QAbstractItemView *>(list)->sizeHintForColumn(0);
        QVERIFY2(column >= needed, qPrintable(QStringLiteral("%1 < %2").arg(column).arg(needed)));
        QVERIFY(list->viewport()->width() < needed);
        QVERIFY(list->horizontalScrollBar()->maximum() > 0);
    }

    void folderPictures_data()
    {
        addColumns<bool>({"beside"});
        addRow("pictures beside the program", true);
        addRow("no pictures: empty icons", false);
    }
    void folderPictures()
    {
        QFETCH(bool, beside);
        QTemporaryDir elsewhere;
        if (!beside)
            QDir::setCurrent(elsewhere.path());
        TreeWindow shown;
        QDir::setCurrent(QStringLiteral(VELMORA_STAGE_DIR "/bin"));
        SettingsViewItem *paper = shown.row(QStringLiteral("Paper"));
        const QVariant open = paper->data(0, Qt::DecorationRole);
        QCOMPARE(open.isValid(), beside);
        paper->setExpanded(false);
        const QVariant closed = paper->data(0, Qt::DecorationRole);
        QCOMPARE(closed.isValid(), beside);
        if (beside)
            QVERIFY(open.value<QPixmap>().cacheKey() != closed.value<QPixmap>().cacheKey());
        QVERIFY(!shown.row(QStringLiteral("Darkness"))->data(0, Qt::DecorationRole).isValid());
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"

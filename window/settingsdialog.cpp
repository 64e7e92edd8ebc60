#include "window/settingsdialog.h"

#include "base/checkptr.h"
#include "base/debuglog.h"
#include "base/images.h"
#include "base/windowhelpers.h"
#include "controller/iconfigurator.h"
#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/elementtype.h"
#include "model/enumerate.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/parameter.h"
#include "widgets/custombutton.h"
#include "window/settingsviewitem.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWhatsThis>

namespace {
// Measured each time the pane slides shut; one value for the whole program,
// so a second window slides open to the same width.
int paneWidth = 0;

constexpr int SlideSteps = 25;
constexpr unsigned long SlideStepMs = 2;
// Room the view leaves around a cell's text.
constexpr int ValueColumnPadding = 12;

// The category a row belongs to: its own, or its setting's.
NodeDesc *categoryOf(const SettingsViewItem *item)
{
    if (item->node())
        return item->node();
    return item->element() ? item->element()->node() : nullptr;
}

// What the value column shows for a setting's value: the value, or for a
// list the title of its option; false when the list has no such option.
bool displayedValue(Element *element, const QString &value, QString *text)
{
    auto *list = qobject_cast<ListElement *>(element);
    if (!list) {
        *text = value;
        return true;
    }
    Parameter *option = list->findParameter(value);
    if (!VELMORA_CHECK_PTR(option))
        return false;
    *text = option->title();
    return true;
}

} // namespace

// The help text of one setting. The pop-up is rich text; the titles and
// descriptions come from the device and are escaped so that they show as
// written instead of as markup (the dialog used to insert them as they are).
QString HelpText(Element *element)
{
    QString text;
    if (auto *group = qobject_cast<ComplexElement *>(element); group && group->isComplex())
        (void)enumerateMembers(group, CollectHelpCallback, &text);
    else
        text = QStringLiteral("*%1<br>%2")
                   .arg(element->title().toHtmlEscaped(), element->desc().toHtmlEscaped());
    return text;
}
SettingsDialog::SettingsDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : Ui_SettingsDialog(parent, name, modal, fl)
{
    // What's This mode would not ask the dialog for the setting's text, so
    // F1 goes to the help button's own handler.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &SettingsDialog::helpBtn_clicked);
    connect(paramList, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem *item) {
        if (SettingsViewItem *row = SettingsViewItem::from(item))
            row->showOpenPicture(true);
    });
    paramList->viewport()->installEventFilter(this);
    connect(paramList, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem *item) {
        if (SettingsViewItem *row = SettingsViewItem::from(item))
            row->showOpenPicture(false);
    });
}

bool SettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The view widens when the favourites slide shut and narrows again.
    if (watched == paramList->viewport() && event->type() == QEvent::Resize)
        fitTitleColumn();
    return Ui_SettingsDialog::eventFilter(watched, event);
}

SettingsDialog::~SettingsDialog()
{
    if (m_pCurrentElement)
        m_pCurrentElement->deleteControl();
    // The rows point at the folder pictures, which go before the lists do.
    for (QTreeWidget *list : {favoriteList, paramList}) {
        const QSignalBlocker quiet(list);
        list->clear();
    }
}

int SettingsDialog::favoritePaneWidth()
{
    return paneWidth;
}

void SettingsDialog::initialize(IConfigurator *configurator, const QString &heading)
{
    DebugLog("SettingsDialog::initialize");
    m_pConfigurator = configurator;
    m_pSettings = configurator ? configurator->loadSettings() : nullptr;

    CenterWindow(this);
    SetSmallFontRecursive(this);
    QApplication::setFont(font(), "QWhatsThat");
    SetFontPixelSize(favoriteList, 12);

    m_openFolder = QPixmap::fromImage(ImageFromMimeSource(QStringLiteral("folder_open.png")));
    m_closedFolder = QPixmap::fromImage(ImageFromMimeSource(QStringLiteral("folder.png")));

    for (QTreeWidget *list : {favoriteList, paramList}) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->setSortingEnabled(false);
    }
    m_pCurrentElement = nullptr;
    paramList->headerItem()->setText(0, heading);

    connect(helpBtn, &QToolButton::clicked, this, &SettingsDialog::helpBtn_clicked, Qt::UniqueConnection);
    helpBtn->hide();

    fillLists(m_pSettings);
    validateSettings(m_pSettings);
}

void SettingsDialog::paramList_selectionChanged(QTreeWidgetItem *item)
{
    SettingsViewItem *row = SettingsViewItem::from(item);
    if (!VELMORA_CHECK_PTR(row))
        return;
    NodeDesc *category = categoryOf(row);
    if (category && m_pSettings && category != m_pSettings)
        syncFavorites(category);
    else if (row->element()) {
        DebugLog("inside nd->id() == m_pSettings->id()");
        if (SettingsViewItem *favorite = findFavorite(row->element()->id())) {
            DebugLog("it is not null");
            favoriteList->setCurrentItem(favorite);
        }
    }

    if (m_pCurrentElement)
        m_pCurrentElement->deleteControl();
    m_pCurrentElement = nullptr;

    if (!row->element()) {
        helpBtn->hide();
        return;
    }
    m_pCurrentElement = row->element();
    if (QWidget *control = m_pCurrentElement->createControl(panel)) {
        control->show();
        helpBtn->show();
        chainPanelFocus();
    }
}

void SettingsDialog::syncFavorites(NodeDesc *category)
{
    NodeDesc *top = category;
    while (top->parent() && top->parent() != m_pSettings)
        top = top->parent();
    SettingsViewItem *favorite = findFavorite(top);
    if (!favorite) {
        DebugLog("Logic error: unreachable place");
        return;
    }
    // Following the tree must not send the tree back to the favourite's
    // first setting.
    disconnect(favoriteList, &QTreeWidget::currentItemChanged, this,
               &Ui_SettingsDialog::favoriteList_selectionChanged);
    favoriteList->setCurrentItem(favorite);
    favoriteList->scrollToItem(favorite);
    connect(favoriteList, &QTreeWidget::currentItemChanged, this,
            &Ui_SettingsDialog::favoriteList_selectionChanged);
}

void SettingsDialog::chainPanelFocus()
{
    // Controls made now would come last in the focus chain, after the
    // buttons; keyboard users expect them between the tree and the buttons.
    QWidget *previous = paramList;
    const QList<QWidget *> controls = panel->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->focusPolicy() & Qt::TabFocus) {
            setTabOrder(previous, control);
            previous = control;
        }
    }
    setTabOrder(previous, defBtn);
}

void SettingsDialog::favoriteList_selectionChanged(QTreeWidgetItem *item)
{
    SettingsViewItem *favorite = SettingsViewItem::from(item);
    if (!favorite || (!favorite->node() && !favorite->element())) {
        DebugLog("Logical error: favoriteList_selectionChanged");
        return;
    }
    SettingsViewItem *row = findItem(favorite->node() ? favorite->node()->id() : favorite->element()->id());
    if (!VELMORA_CHECK_PTR(row))
        return;
    row->setOpen(true);
    QTreeWidgetItem *target = row->node() && row->childCount() > 0 ? row->child(0) : row;
    paramList->setCurrentItem(target);
    paramList->scrollToItem(target);
}

void SettingsDialog::slider_clicked()
{
    slideFavorites(favoriteList->isHidden());
}

void SettingsDialog::slideFavorites(bool open)
{
    if (!open)
        paneWidth = favoriteList->width();
    else {
        favoriteList->show();
        QCoreApplication::processEvents();
    }
    for (int step = 1; step <= SlideSteps; ++step) {
        favoriteList->setFixedWidth((open ? step : SlideSteps - step) * paneWidth / SlideSteps);
        paramFrameLayout->activate();
        favoriteList->repaint();
        slider->repaint();
        paramList->repaint();
        QThread::msleep(SlideStepMs);
    }
    if (!open)
        favoriteList->hide();
    slider->setText(open ? tr("<") : tr(">"));
}

void SettingsDialog::helpBtn_clicked()
{
    if (m_pCurrentElement)
        QWhatsThis::showText(QCursor::pos(), HelpText(m_pCurrentElement), this);
}

void SettingsDialog::closeBtn_clicked()
{
    close();
}

void SettingsDialog::elementChanged(const QString &value)
{
    valueChangedBy(qobject_cast<Element *>(sender()), value);
}

void SettingsDialog::elementReset()
{
    valueResetBy(qobject_cast<Element *>(sender()));
}

void SettingsDialog::changeVisibility(bool visible)
{
    visibilityChangedBy(qobject_cast<Element *>(sender()), visible);
}

void SettingsDialog::valueChangedBy(Element *element, const QString &value)
{
    if (!VELMORA_CHECK_PTR(element))
        return;
    DebugLog("SettingsDialog elementChanged received from %s [%p]", qPrintable(element->id()),
             static_cast<void *>(element));
    if (element->type() == stButton) {
        buttonClicked(element->id());
        return;
    }
    if (!element->isConcrete())
        return;
    if (showValue(element, value, false))
        applyBtn->setEnabled(true);
}

void SettingsDialog::valueResetBy(Element *element)
{
    auto *setting = qobject_cast<ConcreteElement *>(element);
    if (!VELMORA_CHECK_PTR(element) || !setting)
        return;
    (void)showValue(setting, setting->current(), true);
}

bool SettingsDialog::showValue(Element *element, const QString &value, bool reset)
{
    QString text;
    if (!displayedValue(element, value, &text))
        return false;
    Element *group = GroupOfMainMember(element);
    const auto indexed = m_itemsById.find(group ? group->id() : element->id());
    if (indexed == m_itemsById.end() || !indexed->row)
        return true;
    SettingsViewItem *row = indexed->row;
    if (reset)
        row->setText(1, QString(""));
    row->setText(1, text);
    // While the window fills, the columns are fitted once at the end.
    if (m_fillWidths)
        enterValueWidth(*indexed, text);
    else
        widenValueColumn(text);
    return true;
}

void SettingsDialog::widenValueColumn(const QString &text)
{
    // The column keeps fitting its widest entry as values change.
    const int needed = valueWidth(text);
    if (m_valuesWidth < needed) {
        m_valuesWidth = needed;
        paramList->header()->resizeSection(1, needed);
        fitTitleColumn();
    }
}

QFont SettingsDialog::valueFont() const
{
    // Bold, since a changed value is drawn bold.
    QFont bold = paramList->font();
    bold.setBold(true);
    return bold;
}

int SettingsDialog::valueWidth(const QString &text) const
{
    return QFontMetrics(valueFont()).horizontalAdvance(text) + ValueColumnPadding;
}

void SettingsDialog::visibilityChangedBy(Element *element, bool visible)
{
    if (!VELMORA_CHECK_PTR(element))
        return;
    DebugLog("SettingsDialog::changeVisibility(%s) for %s", visible ? "true" : "false",
             qPrintable(element->id()));
    if (SettingsViewItem *row = findItem(element->id()))
        row->setHidden(!visible);
}

#include "window/settingsdialog.h"

#include "app/debuglog.h"
#include "description/nodedesc.h"
#include "elements/buttonelement.h"
#include "elements/complexelement.h"
#include "elements/concreteelement.h"
#include "elements/elementtype.h"
#include "elements/enumerate.h"
#include "elements/formelement.h"
#include "elements/listelement.h"
#include "window/checkptr.h"
#include "window/columnwidth.h"
#include "window/settingsviewitem.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

// Filling the settings window's lists from the settings tree, the element
// connections, and finding rows again.

void SettingsDialog::fillLists(NodeDesc *root)
{
    for (QTreeWidget *list : {favoriteList, paramList}) {
        const QSignalBlocker quiet(list);
        list->clear();
    }
    m_itemsById.clear();
    if (!root)
        return;
    favoriteList->setUpdatesEnabled(false);
    paramList->setUpdatesEnabled(false);

    for (const auto &child : root->children()) {
        auto *item = new SettingsViewItem(favoriteList);
        item->setText(0, child->title());
        item->setNode(child.get());
    }
    for (const auto &element : root->elements()) {
        auto *item = new SettingsViewItem(favoriteList);
        item->setText(0, element->title());
        item->setElement(element.get());
    }

    // Rows are built away from the view and handed over at once: adding
    // them one by one to a shown tree costs a search per row. The self-checks
    // run once the rows are in, in the order they were made, since a check
    // may hide a row.
    m_pendingTopItems.clear();
    m_pendingChecks.clear();
    m_itemsById.clear();
    drawNode(root, nullptr);
    paramList->addTopLevelItems(m_pendingTopItems);
    m_pendingTopItems.clear();
    paramList->expandAll();
    const QList<Element *> checks = std::exchange(m_pendingChecks, {});
    for (Element *element : checks)
        (void)element->checkConstraints(nullptr, true);

    favoriteList->setUpdatesEnabled(true);
    paramList->setUpdatesEnabled(true);
    fitColumns();
}

namespace {
// The model index of a row of tree.
QModelIndex indexOf(const QTreeWidget *tree, QTreeWidgetItem *item, int column)
{
    QTreeWidgetItem *parent = item->parent();
    if (!parent)
        return tree->model()->index(tree->indexOfTopLevelItem(item), column);
    return tree->model()->index(parent->indexOfChild(item), column, indexOf(tree, parent, 0));
}
} // namespace

void SettingsDialog::fitColumns()
{
    // The tree's columns fit their widest entry over every row, as the view
    // would measure it: the whole row for the titles, the value as drawn
    // bold for the values (a changed value is bold).
    const int rootLevel = paramList->rootIsDecorated() ? 1 : 0;
    const int titles = WidestEntryWidth(paramList, 0, paramList->font(), [this, rootLevel](QTreeWidgetItem *item, int depth) {
        return paramList->sizeHintForIndex(indexOf(paramList, item, 0)).width() +
               paramList->indentation() * (depth + rootLevel);
    });
    QFont bold = paramList->font();
    bold.setBold(true);
    const int values = WidestEntryWidth(paramList, 1, bold,
                                        [this](QTreeWidgetItem *item, int) { return valueWidth(item->text(1)); });
    QHeaderView *header = paramList->header();
    m_titlesWidth = std::max(titles, header->sectionSizeHint(0));
    m_valuesWidth = std::max(values, header->sectionSizeHint(1));
    header->resizeSection(1, m_valuesWidth);
    fitTitleColumn();
    // The favourites are a few rows.
    favoriteList->resizeColumnToContents(0);

    for (QTreeWidget *list : {paramList, favoriteList}) {
        QHeaderView *listHeader = list->header();
        for (int column = 0; column < list->columnCount(); ++column) {
            const int labelWidth =
                listHeader->fontMetrics().horizontalAdvance(list->headerItem()->text(column)) + 9;
            if (listHeader->sectionSize(column) < labelWidth)
                listHeader->resizeSection(column, labelWidth);
        }
    }
}

void SettingsDialog::fitTitleColumn()
{
    // The window is small and its size fixed: a title column as wide as its
    // widest entry would push every value out of sight. The titles give way
    // to the values down to half the view; a title cut short ends in "..."
    // and its row's tip holds it whole. Values wider than the rest of the
    // view make the tree scroll sideways.
    const int view = paramList->viewport()->width();
    const int titles = std::min(m_titlesWidth, std::max(view - m_valuesWidth, view / 2));
    paramList->header()->resizeSection(0, std::max(titles, 1));
}

void SettingsDialog::drawNode(NodeDesc *node, SettingsViewItem *parent)
{
    if (!VELMORA_CHECK_PTR(node))
        return;
    DebugLog("%s", qPrintable(QString(67, QLatin1Char('_'))));
    DebugLog("drawNode: id=<%s> string=<%s> subnodes=%u elements=%u", qPrintable(node->id()),
             qPrintable(node->string()), unsigned(node->children().size()),
             unsigned(node->elements().size()));

    for (const auto &child : node->children()) {
        auto *item = parent ? new SettingsViewItem(parent) : new SettingsViewItem();
        if (!parent)
            m_pendingTopItems.append(item);
        item->setPixmaps(&m_openFolder, &m_closedFolder);
        item->setText(0, child->title());
        item->setNode(child.get());
        indexItem(child->id(), item);
        // Opened as soon as it is in the tree (the whole tree is expanded
        // once); the open picture is shown from the start.
        item->showOpenPicture(true);
        drawNode(child.get(), item);
    }
    for (const auto &element : node->elements()) {
        (void)addElementItem(element.get(), parent);
        connectElement(element.get());
    }
    for (const auto &element : node->elements())
        m_pendingChecks.append(element.get());
}

SettingsViewItem *SettingsDialog::addElementItem(Element *element, SettingsViewItem *parent)
{
    // Lines of a dump and a device text are passed on as they are, never
    // through a format; a fill writes them for every setting.
    DebugLogLine(element->dump() + QLatin1String("\tclassName=<") +
                 QLatin1String(element->metaObject()->className()) + QLatin1Char('>'));
    auto *item = parent ? new SettingsViewItem(parent) : new SettingsViewItem();
    if (!parent)
        m_pendingTopItems.append(item);
    item->setText(0, element->title());
    item->setElement(element);
    indexItem(element->id(), item);

    Element *shown = element;
    if (element->isComplex()) {
        const auto *group = static_cast<ComplexElement *>(element);
        DebugLog("COMPLEX ELEMENT { subelems=%u", unsigned(group->elements().size()));
        shown = MainMember(element);
        DebugLog("\te=%p", static_cast<void *>(shown));
        DebugLog("COMPLEX ELEMENT }");
    }
    if (shown && shown->isConcrete()) {
        QString value = shown->property("current").toString();
        DebugLogLine(QLatin1String("\tcurrent=<") + value + QLatin1Char('>'));
        if (auto *list = qobject_cast<ListElement *>(shown)) {
            value = list->currentText();
            DebugLogLine(QLatin1String("\tcurrentText=<") + value + QLatin1Char('>'));
        }
        item->setText(1, value);
    }
    return item;
}

void SettingsDialog::connectValue(Element *element)
{
    // The rows' own connections name their element instead of asking for
    // the sender: finding the sender costs a search through every
    // connection to the dialog, and a large description makes hundreds of
    // thousands of them.
    if (auto *concrete = qobject_cast<ConcreteElement *>(element)) {
        connect(concrete, &ConcreteElement::valueChanged, this,
                [this, concrete](const QString &value) { valueChangedBy(concrete, value); });
        connect(concrete, &ConcreteElement::valueReset, this, [this, concrete] { valueResetBy(concrete); });
    }
}

void SettingsDialog::connectButton(Element *element, ButtonSlot slot)
{
    if (auto *button = qobject_cast<ButtonElement *>(element))
        connect(button, &ButtonElement::buttonClicked, this, slot, Qt::UniqueConnection);
}

void SettingsDialog::connectElement(Element *element)
{
    if (element->isConcrete()) {
        connectValue(element);
    } else if (ButtonSlot slot = buttonSlot(element->type())) {
        connectButton(element, slot);
    } else if (auto *group = qobject_cast<ComplexElement *>(element)) {
        // The main member is one of the concrete members connected here.
        (void)enumerate(
            group,
            [](Element *e, void *argument) {
                auto *dialog = static_cast<SettingsDialog *>(argument);
                if (e->type() == stButton)
                    dialog->connectButton(e, &SettingsDialog::elementChanged);
                if (e->isConcrete())
                    dialog->connectValue(e);
                // A pop-up form is its own pop-up: connected once.
                if (auto *form = qobject_cast<FormElement *>(e))
                    connect(form, &FormElement::applyClicked, dialog, &SettingsDialog::popupApplyClicked,
                            Qt::UniqueConnection);
                return true;
            },
            this);
    }
    connect(element, &Element::visibleChanged, this,
            [this, element](bool visible) { visibilityChangedBy(element, visible); });
}

SettingsDialog::ButtonSlot SettingsDialog::buttonSlot(int type)
{
    switch (type) {
    case stButton:
        return &SettingsDialog::elementChanged;
    case stPhoneBook:
        return &SettingsDialog::phoneBookClicked;
    case stEmailBook:
        return &SettingsDialog::emailBookClicked;
    case stAddressBook:
        return &SettingsDialog::addressBookClicked;
    case stInkTestPagePrint:
    case stInkTestPagePrint_XML:
        return &SettingsDialog::inkTestPagePrintClicked;
    case stInkCartridgeClean:
    case stInkCartridgeClean_XML:
        return &SettingsDialog::inkCartridgeCleanClicked;
    case stInkCartridgeAlignSFP:
    case stInkCartridgeAlignSFP_XML:
        return &SettingsDialog::inkCartridgeAlignSFPClicked;
    case stInkCartridgeAlignMFP:
    case stInkCartridgeAlignMFP_XML:
        return &SettingsDialog::inkCartridgeAlignMFPClicked;
    default:
        return nullptr;
    }
}

void SettingsDialog::indexItem(const QString &id, SettingsViewItem *item)
{
    // Rows are made in tree order, so the first one made for an id is the
    // first in the tree.
    if (!m_itemsById.contains(id))
        m_itemsById.insert(id, item);
}

SettingsViewItem *SettingsDialog::findItem(const QString &id) const
{
    return m_itemsById.value(id);
}

SettingsViewItem *SettingsDialog::findFavorite(const NodeDesc *node) const
{
    for (int i = 0; i < favoriteList->topLevelItemCount(); ++i) {
        SettingsViewItem *row = SettingsViewItem::from(favoriteList->topLevelItem(i));
        if (row && row->node() && row->node()->id() == node->id())
            return row;
    }
    return nullptr;
}

SettingsViewItem *SettingsDialog::findFavorite(const QString &elementId) const
{
    for (int i = 0; i < favoriteList->topLevelItemCount(); ++i) {
        SettingsViewItem *row = SettingsViewItem::from(favoriteList->topLevelItem(i));
        if (row && row->element() && row->element()->id() == elementId)
            return row;
    }
    return nullptr;
}

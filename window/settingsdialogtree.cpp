#include "window/settingsdialog.h"

#include "base/checkptr.h"
#include "base/debuglog.h"
#include "model/buttonelement.h"
#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/elementtype.h"
#include "model/enumerate.h"
#include "model/formelement.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/selfchecks.h"
#include "window/columnwidth.h"
#include "window/settingsviewitem.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

// Filling the settings window's lists from the settings tree, the element
// connections, and finding rows again.

namespace {
// The rows the tree shows for node's categories and settings.
qsizetype rowsUnder(const NodeDesc *node)
{
    qsizetype rows = qsizetype(node->elements().size() + node->children().size());
    for (const auto &child : node->children())
        rows += rowsUnder(child.get());
    return rows;
}
} // namespace

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
    m_fillWidths = std::make_unique<FillWidths>(paramList->font(), valueFont(), paramList->indentation());
    const qsizetype rows = rowsUnder(root);
    m_itemsById.reserve(rows);
    m_fillWidths->titleEntries.reserve(size_t(rows));
    m_fillWidths->valueEntries.reserve(size_t(rows));
    drawNode(root, nullptr);
    paramList->addTopLevelItems(m_pendingTopItems);
    m_pendingTopItems.clear();
    paramList->expandAll();
    RunSelfChecks(root);

    favoriteList->setUpdatesEnabled(true);
    paramList->setUpdatesEnabled(true);
    fitColumns();
    m_fillWidths.reset();
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
    const int titles =
        WidestEntryWidth(m_fillWidths->titleEntries, [this, rootLevel](QTreeWidgetItem *item, int depth) {
            return paramList->sizeHintForIndex(indexOf(paramList, item, 0)).width() +
                   paramList->indentation() * (depth + rootLevel);
        });
    const int values = WidestEntryWidth(
        m_fillWidths->valueEntries, [this](QTreeWidgetItem *item, int) { return valueWidth(item->text(1)); });
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
        const QString title = child->title();
        item->setText(0, title);
        item->setNode(child.get());
        (void)indexItem(child->id(), item);
        // Opened as soon as it is in the tree (the whole tree is expanded
        // once); the open picture is shown from the start.
        item->showOpenPicture(true);
        m_fillWidths->enterTitle(item, title, !m_openFolder.isNull());
        ++m_fillWidths->depth;
        drawNode(child.get(), item);
        --m_fillWidths->depth;
    }
    for (const auto &element : node->elements()) {
        (void)addElementItem(element.get(), parent);
        connectElement(element.get());
    }
}

SettingsViewItem *SettingsDialog::addElementItem(Element *element, SettingsViewItem *parent)
{
    // A fill writes these lines for every setting: they are put together in
    // place, and a device's texts are never passed through a format.
    {
        TraceLine line;
        element->appendDump(line.text());
        line << QLatin1String("\tclassName=<") << QLatin1String(element->metaObject()->className())
             << QLatin1Char('>');
    }
    auto *item = parent ? new SettingsViewItem(parent) : new SettingsViewItem();
    if (!parent)
        m_pendingTopItems.append(item);
    const QString title = element->title();
    item->setText(0, title);
    item->setElement(element);
    m_fillWidths->enterTitle(item, title, false);

    Element *shown = element;
    if (element->isComplex()) {
        const auto *group = static_cast<ComplexElement *>(element);
        DebugLog("COMPLEX ELEMENT { subelems=%u", unsigned(group->elements().size()));
        shown = MainMember(element);
        DebugLog("\te=%p", static_cast<void *>(shown));
        DebugLog("COMPLEX ELEMENT }");
    }
    QString value;
    if (auto *concrete = qobject_cast<ConcreteElement *>(shown)) {
        value = concrete->current();
        TraceLine() << QLatin1String("\tcurrent=<") << value << QLatin1Char('>');
        if (auto *list = qobject_cast<ListElement *>(concrete)) {
            value = list->currentText();
            TraceLine() << QLatin1String("\tcurrentText=<") << value << QLatin1Char('>');
        }
        item->setText(1, value);
    }
    IndexedRow &indexed = indexItem(element->id(), item);
    if (!value.isEmpty()) {
        // A second row of an id has an entry of its own.
        IndexedRow unindexed{item, -1};
        enterValueWidth(indexed.row == item ? indexed : unindexed, value);
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

SettingsDialog::IndexedRow &SettingsDialog::indexItem(const QString &id, SettingsViewItem *item)
{
    // Rows are made in tree order, so the first one made for an id is the
    // first in the tree.
    IndexedRow &indexed = m_itemsById[id];
    if (!indexed.row)
        indexed.row = item;
    return indexed;
}

void SettingsDialog::enterValueWidth(IndexedRow &indexed, const QString &text)
{
    // A value changed while filling replaces its row's entry.
    FillWidths &widths = *m_fillWidths;
    const ColumnEntry entry{indexed.row, 0, widths.values.of(text), false};
    if (indexed.valueEntry < 0) {
        indexed.valueEntry = int(widths.valueEntries.size());
        widths.valueEntries.push_back(entry);
    } else {
        widths.valueEntries[size_t(indexed.valueEntry)] = entry;
    }
}

SettingsViewItem *SettingsDialog::findItem(const QString &id) const
{
    return m_itemsById.value(id).row;
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

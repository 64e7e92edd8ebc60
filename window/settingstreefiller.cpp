#include "window/settingstreefiller.h"

#include "base/checkptr.h"
#include "base/debuglog.h"
#include "base/images.h"
#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/enumerate.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/parameter.h"
#include "model/selfchecks.h"
#include "window/settingsviewitem.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

namespace {
// Room the view leaves around a cell's text.
constexpr int ValueColumnPadding = 12;

// The rows the tree shows for node's categories and settings.
qsizetype rowsUnder(const NodeDesc *node)
{
    qsizetype rows = qsizetype(node->elements().size() + node->children().size());
    for (const auto &child : node->children())
        rows += rowsUnder(child.get());
    return rows;
}

// The model index of a row of tree.
QModelIndex indexOf(const QTreeWidget *tree, QTreeWidgetItem *item, int column)
{
    QTreeWidgetItem *parent = item->parent();
    if (!parent)
        return tree->model()->index(tree->indexOfTopLevelItem(item), column);
    return tree->model()->index(parent->indexOfChild(item), column, indexOf(tree, parent, 0));
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

// Whether group holds member at any depth.
bool holds(const Element *group, const Element *member)
{
    for (const Element *up = member->parentElement(); up; up = up->parentElement())
        if (up == group)
            return true;
    return false;
}

// What a walk looking for the group of one element leaves behind.
struct GroupSearch
{
    Element *member = nullptr;
    Element *group = nullptr;
};
} // namespace

SettingsTreeFiller::SettingsTreeFiller(QTreeWidget *tree, QTreeWidget *favourites)
    : m_pTree(tree), m_pFavourites(favourites)
{
    connect(m_pTree, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem *item) {
        if (SettingsViewItem *row = SettingsViewItem::from(item))
            row->showOpenPicture(true);
    });
    connect(m_pTree, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem *item) {
        if (SettingsViewItem *row = SettingsViewItem::from(item))
            row->showOpenPicture(false);
    });
}

SettingsTreeFiller::~SettingsTreeFiller()
{
    clear();
}

void SettingsTreeFiller::clear()
{
    for (QTreeWidget *list : {m_pFavourites, m_pTree}) {
        const QSignalBlocker quiet(list);
        list->clear();
    }
    m_itemsById.clear();
    m_pSettings = nullptr;
}

void SettingsTreeFiller::fill(NodeDesc *root, const std::function<void(Element *)> &rowMade)
{
    clear();
    m_pSettings = root;
    m_openFolder = QPixmap::fromImage(ImageFromMimeSource(QStringLiteral("folder_open.png")));
    m_closedFolder = QPixmap::fromImage(ImageFromMimeSource(QStringLiteral("folder.png")));
    if (m_openFolder.isNull() || m_closedFolder.isNull())
        DebugLog("Folder pictures not found");
    for (QTreeWidget *list : {m_pFavourites, m_pTree})
        list->setSortingEnabled(false);
    if (!root)
        return;
    m_pFavourites->setUpdatesEnabled(false);
    m_pTree->setUpdatesEnabled(false);
    fillFavourites(root);

    // Rows are built away from the view and handed over at once: adding
    // them one by one to a shown tree costs a search per row. The self-checks
    // run once the rows are in, in the order they were made, since a check
    // may hide a row.
    m_pendingTopItems.clear();
    m_fillWidths = std::make_unique<FillWidths>(m_pTree->font(), valueFont(), m_pTree->indentation());
    const qsizetype rows = rowsUnder(root);
    m_itemsById.reserve(rows);
    m_fillWidths->titleEntries.reserve(size_t(rows));
    m_fillWidths->valueEntries.reserve(size_t(rows));
    drawNode(root, nullptr, rowMade);
    m_pTree->addTopLevelItems(m_pendingTopItems);
    m_pendingTopItems.clear();
    m_pTree->expandAll();
    RunSelfChecks(root);

    m_pFavourites->setUpdatesEnabled(true);
    m_pTree->setUpdatesEnabled(true);
    fitColumns();
    m_fillWidths.reset();
}

void SettingsTreeFiller::fillFavourites(NodeDesc *root)
{
    for (const auto &child : root->children()) {
        auto *item = new SettingsViewItem(m_pFavourites);
        item->setText(0, child->title());
        item->setNode(child.get());
    }
    for (const auto &element : root->elements()) {
        auto *item = new SettingsViewItem(m_pFavourites);
        item->setText(0, element->title());
        item->setElement(element.get());
    }
}

void SettingsTreeFiller::drawNode(NodeDesc *node, SettingsViewItem *parent,
                                  const std::function<void(Element *)> &rowMade)
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
        drawNode(child.get(), item, rowMade);
        --m_fillWidths->depth;
    }
    for (const auto &element : node->elements()) {
        addElementItem(element.get(), parent);
        if (rowMade)
            rowMade(element.get());
    }
}

void SettingsTreeFiller::addElementItem(Element *element, SettingsViewItem *parent)
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
    const bool group = element->isComplex();
    if (group) {
        DebugLog("COMPLEX ELEMENT { subelems=%u",
                 unsigned(static_cast<ComplexElement *>(element)->elements().size()));
        shown = MainMember(element);
        DebugLog("\te=%p", static_cast<void *>(shown));
    }
    // A group's row shows its main member's value, traced inside the group.
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
    if (group)
        DebugLog("COMPLEX ELEMENT }");
    IndexedRow &indexed = indexItem(element->id(), item);
    if (!value.isEmpty()) {
        // A second row of an id has an entry of its own.
        IndexedRow unindexed{item, -1};
        enterValueWidth(indexed.row == item ? indexed : unindexed, value);
    }
}

SettingsTreeFiller::IndexedRow &SettingsTreeFiller::indexItem(const QString &id, SettingsViewItem *item)
{
    // Rows are made in tree order, so the first one made for an id is the
    // first in the tree.
    IndexedRow &indexed = m_itemsById[id];
    if (!indexed.row)
        indexed.row = item;
    return indexed;
}

void SettingsTreeFiller::enterValueWidth(IndexedRow &indexed, const QString &text)
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

void SettingsTreeFiller::fitColumns()
{
    // The tree's columns fit their widest entry over every row, as the view
    // would measure it: the whole row for the titles, the value as drawn
    // bold for the values (a changed value is bold).
    const int rootLevel = m_pTree->rootIsDecorated() ? 1 : 0;
    const int titles =
        WidestEntryWidth(m_fillWidths->titleEntries, [this, rootLevel](QTreeWidgetItem *item, int depth) {
            return m_pTree->sizeHintForIndex(indexOf(m_pTree, item, 0)).width() +
                   m_pTree->indentation() * (depth + rootLevel);
        });
    const int values = WidestEntryWidth(
        m_fillWidths->valueEntries, [this](QTreeWidgetItem *item, int) { return valueWidth(item->text(1)); });
    QHeaderView *header = m_pTree->header();
    m_titlesWidth = std::max(titles, header->sectionSizeHint(0));
    m_valuesWidth = std::max(values, header->sectionSizeHint(1));
    // Every title is shown whole, however narrow the view: a title cut short
    // can name two settings alike ("Serial num..."). A view narrower than
    // both columns scrolls sideways.
    header->resizeSection(0, std::max(m_titlesWidth, 1));
    header->resizeSection(1, m_valuesWidth);
    // The favourites are a few rows.
    m_pFavourites->resizeColumnToContents(0);

    for (QTreeWidget *list : {m_pTree, m_pFavourites}) {
        QHeaderView *listHeader = list->header();
        for (int column = 0; column < list->columnCount(); ++column) {
            const int labelWidth =
                listHeader->fontMetrics().horizontalAdvance(list->headerItem()->text(column)) + 9;
            if (listHeader->sectionSize(column) < labelWidth)
                listHeader->resizeSection(column, labelWidth);
        }
    }
}

int SettingsTreeFiller::widestRowWidth() const
{
    return m_titlesWidth + m_valuesWidth;
}

bool SettingsTreeFiller::showValue(Element *element, const QString &value, bool reset)
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

void SettingsTreeFiller::widenValueColumn(const QString &text)
{
    // The column keeps fitting its widest entry as values change.
    const int needed = valueWidth(text);
    if (m_valuesWidth < needed) {
        m_valuesWidth = needed;
        m_pTree->header()->resizeSection(1, needed);
    }
}

QFont SettingsTreeFiller::valueFont() const
{
    // Bold, since a changed value is drawn bold.
    QFont bold = m_pTree->font();
    bold.setBold(true);
    return bold;
}

int SettingsTreeFiller::valueWidth(const QString &text) const
{
    return QFontMetrics(valueFont()).horizontalAdvance(text) + ValueColumnPadding;
}

SettingsViewItem *SettingsTreeFiller::findItem(const QString &id) const
{
    return m_itemsById.value(id).row;
}

SettingsViewItem *SettingsTreeFiller::rowShowing(Element *element) const
{
    if (SettingsViewItem *row = findItem(element->id()))
        return row;
    GroupSearch search{element};
    (void)enumerate(
        m_pSettings,
        [](Element *candidate, void *argument) {
            auto *search = static_cast<GroupSearch *>(argument);
            if (!candidate->isComplex() || !holds(candidate, search->member))
                return true;
            search->group = candidate;
            return false;
        },
        &search);
    if (search.group)
        if (SettingsViewItem *row = findItem(search.group->id()))
            return row;
    return element->node() ? findItem(element->node()->id()) : nullptr;
}

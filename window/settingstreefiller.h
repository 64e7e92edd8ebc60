#pragma once

#include "window/columnwidth.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Element;
class NodeDesc;
class QTreeWidget;
class QTreeWidgetItem;
class SettingsViewItem;

// Fills the settings window's category tree and favourites list from the
// settings tree, and keeps the tree's value column in step afterwards: it
// indexes the rows by id and fits the columns to their widest entries.
class SettingsTreeFiller : public QObject
{
    Q_OBJECT
public:
    SettingsTreeFiller(QTreeWidget *tree, QTreeWidget *favourites);
    // Empties both lists: their rows point at the folder pictures kept here.
    ~SettingsTreeFiller() override;

    // Empties both lists and the index of rows by id.
    void clear();

    // Fills both lists from root. rowMade is called with each setting as
    // its row is made, before the settings run their self-checks (which may
    // change values that the rows then show).
    void fill(NodeDesc *root, const std::function<void(Element *)> &rowMade);

    // Shows value in the row of element (of its group, for a group's main
    // member); false when a list has no option for it. reset redraws a row
    // whose text does not change.
    bool showValue(Element *element, const QString &value, bool reset);

    // The first row of a category or setting id, or null.
    [[nodiscard]] SettingsViewItem *findItem(const QString &id) const;
    // The row that shows a setting: its own, its group's or pop-up form's,
    // or its category's.
    [[nodiscard]] SettingsViewItem *rowShowing(Element *element) const;
    // The width the tree's view needs to show the widest title and the
    // widest value side by side.
    [[nodiscard]] int widestRowWidth() const;

private:
    // A row of the id index, and while a fill runs the entry of its value
    // among the value column's entries (-1: none yet).
    struct IndexedRow
    {
        SettingsViewItem *row = nullptr;
        int valueEntry = -1;
    };
    // The column entries of the rows a fill makes, estimated while each
    // row's texts are at hand.
    struct FillWidths
    {
        FillWidths(const QFont &font, const QFont &valueFont, int indentation)
            : titles(font), values(valueFont), indentation(indentation)
        {}

        TextWidthEstimate titles;
        TextWidthEstimate values;
        int indentation;
        // The depth of the rows being made, 0 at the top.
        int depth = 0;
        std::vector<ColumnEntry> titleEntries;
        std::vector<ColumnEntry> valueEntries;

        void enterTitle(QTreeWidgetItem *item, const QString &text, bool pictured)
        {
            titleEntries.push_back({item, depth, titles.of(text) + indentation * depth, pictured});
        }
    };

    void fillFavourites(NodeDesc *root);
    void drawNode(NodeDesc *node, SettingsViewItem *parent, const std::function<void(Element *)> &rowMade);
    void addElementItem(Element *element, SettingsViewItem *parent);
    // Returns the entry the index holds for id, new or old.
    IndexedRow &indexItem(const QString &id, SettingsViewItem *item);
    // Enters the text of a row's value among the fill's entries.
    void enterValueWidth(IndexedRow &indexed, const QString &text);
    // Sets the tree's columns to the widths of the fill's entries.
    void fitColumns();
    void widenValueColumn(const QString &text);
    // The font values are measured in.
    [[nodiscard]] QFont valueFont() const;
    // The width the value column needs for text.
    [[nodiscard]] int valueWidth(const QString &text) const;

    QTreeWidget *m_pTree;
    QTreeWidget *m_pFavourites;
    NodeDesc *m_pSettings = nullptr;
    QPixmap m_openFolder;
    QPixmap m_closedFolder;
    // Rows added under the top of the tree while filling, added at once.
    QList<QTreeWidgetItem *> m_pendingTopItems;
    // The first row of each category and setting id.
    QHash<QString, IndexedRow> m_itemsById;
    // Null outside a fill.
    std::unique_ptr<FillWidths> m_fillWidths;
    // The widths the widest title and value need.
    int m_titlesWidth = 0;
    int m_valuesWidth = 0;
};

#pragma once

class NodeDesc;
class QLayout;
class QString;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class SettingsTreeFiller;
class SettingsViewItem;

// The favourites beside the category tree: the top-level categories and
// settings, kept in step with the tree's selection, and the slider that
// slides the pane shut and open again.
class FavouritesPane
{
public:
    // The lists are filled by filler, whose index finds a favourite's row
    // in the tree; frameLayout holds the pane, the slider and the tree.
    FavouritesPane(QTreeWidget *favourites, QToolButton *slider, QTreeWidget *tree, QLayout *frameLayout,
                   const SettingsTreeFiller &filler);

    // The tree selected row: the favourite it lies under is selected.
    void follow(SettingsViewItem *row, NodeDesc *root);
    // A favourite was chosen: the tree opens it and selects its first row.
    void choose(QTreeWidgetItem *item);
    // Slides the pane shut, or open when it is shut.
    void slide();

    // The pane's width as last measured, kept for the whole run.
    [[nodiscard]] static int width();

private:
    void selectTopCategory(NodeDesc *category, NodeDesc *root);
    [[nodiscard]] SettingsViewItem *findFavourite(const NodeDesc *node) const;
    [[nodiscard]] SettingsViewItem *findFavourite(const QString &elementId) const;

    QTreeWidget *m_pFavourites;
    QToolButton *m_pSlider;
    QTreeWidget *m_pTree;
    QLayout *m_pFrameLayout;
    const SettingsTreeFiller &m_filler;
    // Set while the pane follows the tree, whose selection must then stay.
    bool m_following = false;
};

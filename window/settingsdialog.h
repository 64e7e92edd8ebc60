#pragma once

#include "controller/iconfigurator.h"
#include "window/columnwidth.h"
#include "window/forms/ui_settingsdialog.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>

#include <memory>

class Element;
class NodeDesc;
class SettingsViewItem;

// The program's main window: the category tree with each setting's value,
// the favourites pane with the top-level categories and settings, and the
// panel in which the selected setting shows its control.
class SettingsDialog : public Ui_SettingsDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                            Qt::WindowFlags fl = Qt::WindowFlags());
    ~SettingsDialog() override;

    // Takes the settings tree from the controller and fills both lists; the
    // heading names the device in the tree's first column.
    void initialize(IConfigurator *configurator, const QString &heading);

    // The favourites pane's width as last measured, kept for the whole run.
    [[nodiscard]] static int favoritePaneWidth();

public slots:
    void paramList_selectionChanged(QTreeWidgetItem *item) override;
    void closeBtn_clicked() override;
    void slider_clicked() override;
    void favoriteList_selectionChanged(QTreeWidgetItem *item) override;
    void applyBtn_clicked() override;
    void defBtn_clicked() override;
    void helpBtn_clicked() override;
    // A plain device button was pressed.
    void buttonClicked(const QString &id);

private slots:
    void elementChanged(const QString &value);
    void elementReset();
    void phoneBookClicked(const QString &id);
    void emailBookClicked(const QString &id);
    void addressBookClicked(const QString &id);
    void inkTestPagePrintClicked(const QString &id);
    void inkCartridgeCleanClicked(const QString &id);
    void inkCartridgeAlignSFPClicked(const QString &id);
    void inkCartridgeAlignMFPClicked(const QString &id);
    void popupApplyClicked();
    void changeVisibility(bool visible);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The maintenance controller hands a setting press back here.
    [[nodiscard]] IConfigurator::ApplyCallback applyThroughWindow();
    // A row of the id index, and while a fill runs the entry of its value
    // among the value column's entries (-1: none yet).
    struct IndexedRow
    {
        SettingsViewItem *row = nullptr;
        int valueEntry = -1;
    };

    void fillLists(NodeDesc *root);
    // Gives the titles the room the values leave in the tree's view.
    void fitTitleColumn();
    // Lists, in one box, the settings whose values read from the device
    // could not be kept.
    void validateSettings(NodeDesc *root);
    // Hands id's changes to the controller; false only when the device did
    // not take them (the user has then been told why).
    bool sendToDevice(const QString &id, QWidget *boxParent);
    // After a successful apply of all settings (the empty id), their values
    // count as the device's.
    void updateChanges(const QString &id);
    // The row that shows an invalid setting: its own, its group's or pop-up
    // form's, or its category's.
    SettingsViewItem *rowShowing(Element *element) const;
    void drawNode(NodeDesc *node, SettingsViewItem *parent);
    SettingsViewItem *addElementItem(Element *element, SettingsViewItem *parent);
    using ButtonSlot = void (SettingsDialog::*)(const QString &);
    // The slot a press of a button of this type goes to, or null.
    static ButtonSlot buttonSlot(int type);
    void connectElement(Element *element);
    void connectValue(Element *element);
    void connectButton(Element *element, ButtonSlot slot);
    // Returns the entry the index holds for id, new or old.
    IndexedRow &indexItem(const QString &id, SettingsViewItem *item);
    // Sets the tree's columns to the widths of the fill's entries.
    void fitColumns();
    // Enters the text of a row's value among the fill's entries.
    void enterValueWidth(IndexedRow &indexed, const QString &text);
    void chainPanelFocus();
    // Shows value in the row of element (of its group, for a group's main
    // member); false when a list has no option for it.
    bool showValue(Element *element, const QString &value, bool reset);
    // The work of the three slots above, for a known element.
    void valueChangedBy(Element *element, const QString &value);
    void valueResetBy(Element *element);
    void visibilityChangedBy(Element *element, bool visible);
    void widenValueColumn(const QString &text);
    // The font values are measured in.
    [[nodiscard]] QFont valueFont() const;
    // The width the value column needs for text.
    [[nodiscard]] int valueWidth(const QString &text) const;
    void slideFavorites(bool open);
    // Selects the favourite of category's top-level category.
    void syncFavorites(NodeDesc *category);

    SettingsViewItem *findItem(const QString &id) const;
    SettingsViewItem *findFavorite(const NodeDesc *node) const;
    SettingsViewItem *findFavorite(const QString &elementId) const;

    IConfigurator *m_pConfigurator = nullptr;
    Element *m_pCurrentElement = nullptr;
    NodeDesc *m_pSettings = nullptr;
    QPixmap m_openFolder;
    QPixmap m_closedFolder;
    // Rows added under the top of the tree while filling, added at once.
    QList<QTreeWidgetItem *> m_pendingTopItems;
    // The first row of each category and setting id.
    QHash<QString, IndexedRow> m_itemsById;
    // The column entries of the rows a fill makes, estimated while each
    // row's texts are at hand; null outside a fill.
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
    std::unique_ptr<FillWidths> m_fillWidths;
    // The widths the widest title and value need.
    int m_titlesWidth = 0;
    int m_valuesWidth = 0;
};

// The What's This text of a setting: its title and description, or for a
// group or pop-up form those of its direct members.
[[nodiscard]] QString HelpText(Element *element);

#pragma once

#include <QTreeWidgetItem>

class Element;
class NodeDesc;
class QPixmap;

// A row of the settings window's lists, standing for one category or one
// setting (never both). Categories swap between an open and a closed folder
// picture; a setting's value column is drawn bold while its value (a group's:
// its main member's) differs from the value last applied. Both are decided
// when the view asks for them, so a row never shows a stale state.
class SettingsViewItem : public QTreeWidgetItem
{
public:
    // Not yet in a list; the dialog builds whole branches this way and adds
    // them at once, which keeps large categories fast.
    SettingsViewItem();
    explicit SettingsViewItem(QTreeWidget *parent);
    explicit SettingsViewItem(QTreeWidgetItem *parent);
    SettingsViewItem(QTreeWidget *parent, QTreeWidgetItem *after);
    SettingsViewItem(QTreeWidgetItem *parent, QTreeWidgetItem *after);
    ~SettingsViewItem() override;

    // The row an item of the settings window is, or null for another item.
    [[nodiscard]] static SettingsViewItem *from(QTreeWidgetItem *item)
    {
        return dynamic_cast<SettingsViewItem *>(item);
    }

    SettingsViewItem(const SettingsViewItem &) = delete;
    SettingsViewItem &operator=(const SettingsViewItem &) = delete;

    void setElement(Element *element) { m_pElement = element; }
    [[nodiscard]] Element *element() const { return m_pElement; }
    void setNode(NodeDesc *node) { m_pNode = node; }
    [[nodiscard]] NodeDesc *node() const { return m_pNode; }

    // The pictures belong to the dialog; the shown one changes on the next
    // open or close.
    void setPixmaps(const QPixmap *open, const QPixmap *closed);
    [[nodiscard]] const QPixmap *pixmap(int column) const;

    // Shows the matching folder picture, then opens or closes the row.
    void setOpen(bool open);
    // Only the picture, for a row the user opened or closed in the view.
    void showOpenPicture(bool open);

    // Whether column 1 is drawn bold now.
    [[nodiscard]] bool isValueBold() const;

    QVariant data(int column, int role) const override;

private:
    Element *m_pElement = nullptr;
    NodeDesc *m_pNode = nullptr;
    const QPixmap *m_pShown = nullptr;
    const QPixmap *m_pOpen = nullptr;
    const QPixmap *m_pClosed = nullptr;
};

// A group's or pop-up form's main member: the first member whose string
// equals the group's own; null for other elements or when there is none.
[[nodiscard]] Element *MainMember(const Element *group);
// The group whose main member element is, or null.
[[nodiscard]] Element *GroupOfMainMember(const Element *element);
// Whether a setting holds a value that has not been applied yet.
[[nodiscard]] bool HasUnappliedValue(const Element *element);

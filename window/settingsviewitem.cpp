#include "window/settingsviewitem.h"

#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/element.h"

#include <QFont>
#include <QPixmap>
#include <QTreeWidget>

SettingsViewItem::SettingsViewItem() = default;

SettingsViewItem::SettingsViewItem(QTreeWidget *parent) : QTreeWidgetItem(parent)
{}

SettingsViewItem::SettingsViewItem(QTreeWidgetItem *parent) : QTreeWidgetItem(parent)
{}

SettingsViewItem::SettingsViewItem(QTreeWidget *parent, QTreeWidgetItem *after)
    : QTreeWidgetItem(parent, after)
{}

SettingsViewItem::SettingsViewItem(QTreeWidgetItem *parent, QTreeWidgetItem *after)
    : QTreeWidgetItem(parent, after)
{}

SettingsViewItem::~SettingsViewItem()
{
    m_pElement = nullptr;
    m_pNode = nullptr;
}

void SettingsViewItem::setPixmaps(const QPixmap *open, const QPixmap *closed)
{
    m_pOpen = open;
    m_pClosed = closed;
}

const QPixmap *SettingsViewItem::pixmap(int column) const
{
    return column == 0 ? m_pShown : nullptr;
}

void SettingsViewItem::setOpen(bool open)
{
    showOpenPicture(open);
    setExpanded(open);
}

void SettingsViewItem::showOpenPicture(bool open)
{
    if (!m_pOpen || !m_pClosed)
        return;
    const QPixmap *shown = open ? m_pOpen : m_pClosed;
    if (shown == m_pShown)
        return;
    m_pShown = shown;
    emitDataChanged();
}

bool SettingsViewItem::isValueBold() const
{
    if (!m_pElement)
        return false;
    return HasUnappliedValue(m_pElement->isComplex() ? MainMember(m_pElement) : m_pElement);
}

QVariant SettingsViewItem::data(int column, int role) const
{
    switch (role) {
    case Qt::DecorationRole:
        if (const QPixmap *picture = pixmap(column); picture && !picture->isNull())
            return *picture;
        return QVariant();
    case Qt::FontRole:
        if (column == 1 && isValueBold()) {
            QFont font = treeWidget() ? treeWidget()->font() : QFont();
            font.setBold(true);
            return font;
        }
        break;
    case Qt::ToolTipRole: {
        // The whole title and value, also where the columns cut them. A tip
        // that looks like markup would be shown as rich text, so it is given
        // as rich text with the device's texts escaped.
        QString tip = text(0).toHtmlEscaped();
        if (!text(1).isEmpty())
            tip += QStringLiteral(" : ") + text(1).toHtmlEscaped();
        return QStringLiteral("<p>%1</p>").arg(tip);
    }
    default:
        break;
    }
    return QTreeWidgetItem::data(column, role);
}

Element *MainMember(const Element *group)
{
    const auto *complex = qobject_cast<const ComplexElement *>(group);
    if (!complex)
        return nullptr;
    for (Element *member : complex->elements()) {
        if (member->string() == complex->string())
            return member;
    }
    return nullptr;
}

Element *GroupOfMainMember(const Element *element)
{
    Element *group = element ? element->parentElement() : nullptr;
    return group && MainMember(group) == element ? group : nullptr;
}

bool HasUnappliedValue(const Element *element)
{
    const auto *setting = qobject_cast<const ConcreteElement *>(element);
    if (!setting)
        return false;
    const QString current = setting->current();
    const QString committed = setting->objectName();
    // An unset object name cannot be told from an empty one, so null and
    // empty count as the same applied value, as in the change document.
    if (current.isEmpty() && committed.isEmpty())
        return false;
    return current != committed;
}

#pragma once

#include "model/element.h"
#include "model/nodedesc.h"
#include "window/settingsviewitem.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

// The row of a setting or category, found by walking the tree as a user
// would see it rather than through the window's own index; null when none.
inline SettingsViewItem *TreeRow(QTreeWidget *tree, const QString &id)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        SettingsViewItem *item = SettingsViewItem::from(*it);
        if (item &&
            ((item->element() && item->element()->id() == id) || (item->node() && item->node()->id() == id)))
            return item;
    }
    return nullptr;
}

#include "window/favouritespane.h"

#include "base/checkptr.h"
#include "base/debuglog.h"
#include "model/element.h"
#include "model/nodedesc.h"
#include "window/settingstreefiller.h"
#include "window/settingsviewitem.h"

#include <QCoreApplication>
#include <QLayout>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>

namespace {
// Measured each time the pane slides shut; one value for the whole program,
// so a second window slides open to the same width.
int paneWidth = 0;

constexpr int SlideSteps = 25;
constexpr unsigned long SlideStepMs = 2;

// The category a row belongs to: its own, or its setting's.
NodeDesc *categoryOf(const SettingsViewItem *item)
{
    if (item->node())
        return item->node();
    return item->element() ? item->element()->node() : nullptr;
}
} // namespace

FavouritesPane::FavouritesPane(QTreeWidget *favourites, QToolButton *slider, QTreeWidget *tree,
                               QLayout *frameLayout, const SettingsTreeFiller &filler)
    : m_pFavourites(favourites), m_pSlider(slider), m_pTree(tree), m_pFrameLayout(frameLayout),
      m_filler(filler)
{}

int FavouritesPane::width()
{
    return paneWidth;
}

void FavouritesPane::follow(SettingsViewItem *row, NodeDesc *root)
{
    NodeDesc *category = categoryOf(row);
    if (category && root && category != root) {
        selectTopCategory(category, root);
    } else if (row->element()) {
        DebugLog("inside nd->id() == m_pSettings->id()");
        if (SettingsViewItem *favourite = findFavourite(row->element()->id())) {
            DebugLog("it is not null");
            m_pFavourites->setCurrentItem(favourite);
        }
    }
}

void FavouritesPane::selectTopCategory(NodeDesc *category, NodeDesc *root)
{
    NodeDesc *top = category;
    while (top->parent() && top->parent() != root)
        top = top->parent();
    SettingsViewItem *favourite = findFavourite(top);
    if (!favourite) {
        DebugLog("Logic error: unreachable place");
        return;
    }
    // Following the tree must not send the tree back to the favourite's
    // first setting.
    m_following = true;
    m_pFavourites->setCurrentItem(favourite);
    m_pFavourites->scrollToItem(favourite);
    m_following = false;
}

void FavouritesPane::choose(QTreeWidgetItem *item)
{
    if (m_following)
        return;
    SettingsViewItem *favourite = SettingsViewItem::from(item);
    if (!favourite || (!favourite->node() && !favourite->element())) {
        DebugLog("Logical error: favoriteList_selectionChanged");
        return;
    }
    SettingsViewItem *row =
        m_filler.findItem(favourite->node() ? favourite->node()->id() : favourite->element()->id());
    if (!VELMORA_CHECK_PTR(row))
        return;
    row->setOpen(true);
    QTreeWidgetItem *target = row->node() && row->childCount() > 0 ? row->child(0) : row;
    m_pTree->setCurrentItem(target);
    m_pTree->scrollToItem(target);
}

void FavouritesPane::slide()
{
    const bool open = m_pFavourites->isHidden();
    if (!open) {
        paneWidth = m_pFavourites->width();
    } else {
        m_pFavourites->show();
        QCoreApplication::processEvents();
    }
    for (int step = 1; step <= SlideSteps; ++step) {
        m_pFavourites->setFixedWidth((open ? step : SlideSteps - step) * paneWidth / SlideSteps);
        m_pFrameLayout->activate();
        m_pFavourites->repaint();
        m_pSlider->repaint();
        m_pTree->repaint();
        QThread::msleep(SlideStepMs);
    }
    if (!open)
        m_pFavourites->hide();
    // The window's words: translated under its name.
    m_pSlider->setText(open ? QCoreApplication::translate("SettingsDialog", "<")
                            : QCoreApplication::translate("SettingsDialog", ">"));
}

SettingsViewItem *FavouritesPane::findFavourite(const NodeDesc *node) const
{
    for (int i = 0; i < m_pFavourites->topLevelItemCount(); ++i) {
        SettingsViewItem *row = SettingsViewItem::from(m_pFavourites->topLevelItem(i));
        if (row && row->node() && row->node()->id() == node->id())
            return row;
    }
    return nullptr;
}

SettingsViewItem *FavouritesPane::findFavourite(const QString &elementId) const
{
    for (int i = 0; i < m_pFavourites->topLevelItemCount(); ++i) {
        SettingsViewItem *row = SettingsViewItem::from(m_pFavourites->topLevelItem(i));
        if (row && row->element() && row->element()->id() == elementId)
            return row;
    }
    return nullptr;
}

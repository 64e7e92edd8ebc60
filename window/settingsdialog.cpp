#include "window/settingsdialog.h"

#include "base/checkptr.h"
#include "base/debuglog.h"
#include "base/windowhelpers.h"
#include "model/buttonelement.h"
#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/elementtype.h"
#include "model/enumerate.h"
#include "model/formelement.h"
#include "model/nodedesc.h"
#include "widgets/custombutton.h"
#include "widgets/popupform.h"
#include "window/controlpanel.h"
#include "window/favouritespane.h"
#include "window/settingsactions.h"
#include "window/settingstreefiller.h"
#include "window/settingsviewitem.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

SettingsDialog::SettingsDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : Ui_SettingsDialog(parent, name, modal, fl),
      m_filler(std::make_unique<SettingsTreeFiller>(paramList, favoriteList)),
      m_favourites(
          std::make_unique<FavouritesPane>(favoriteList, slider, paramList, paramFrameLayout, *m_filler)),
      m_panel(std::make_unique<ControlPanel>(panel, helpBtn, paramList, defBtn)),
      m_actions(std::make_unique<SettingsActions>(nullptr, nullptr))
{
    // What's This mode would not ask the dialog for the setting's text, so
    // F1 goes to the help button's own handler.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &SettingsDialog::helpBtn_clicked);
}

SettingsDialog::~SettingsDialog() = default;

int SettingsDialog::favoritePaneWidth()
{
    return FavouritesPane::width();
}

QSize SettingsDialog::fittingSize() const
{
    // At its size hint the window gives the tree the tree's own hint; every
    // pixel the window gains goes to the tree.
    const int tree = m_filler->widestRowWidth() + 2 * paramList->frameWidth() +
                     paramList->verticalScrollBar()->sizeHint().width();
    QSize size = sizeHint();
    size.rwidth() += std::max(0, tree - paramList->sizeHint().width());
    return size;
}

void SettingsDialog::releaseSettings()
{
    m_panel->show(nullptr);
    m_filler->clear();
    m_actions = std::make_unique<SettingsActions>(nullptr, nullptr);
    m_pSettings = nullptr;
}

bool SettingsDialog::initialize(IConfigurator *configurator, const QString &heading)
{
    DebugLog("SettingsDialog::initialize");
    // The controller frees the old tree as it reads the new one.
    releaseSettings();
    m_pConfigurator = configurator;
    m_pSettings = configurator ? configurator->loadSettings() : nullptr;
    m_actions = std::make_unique<SettingsActions>(m_pConfigurator, m_pSettings);

    CenterWindow(this);
    SetSmallFontRecursive(this);
    QApplication::setFont(font(), "QWhatsThat");
    SetFontPixelSize(favoriteList, 12);

    m_panel->show(nullptr);
    paramList->headerItem()->setText(0, heading);
    connect(helpBtn, &QToolButton::clicked, this, &SettingsDialog::helpBtn_clicked, Qt::UniqueConnection);

    m_filler->fill(m_pSettings, [this](Element *element) { connectElement(element); });
    // A list whose current row was never set makes its first row current
    // when it takes the keyboard focus, which would show a setting nobody
    // picked. Setting it, to none, leaves the choice to the person.
    paramList->setCurrentItem(nullptr);
    favoriteList->setCurrentItem(nullptr);
    m_actions->checkLoadedValues();
    return m_pSettings != nullptr;
}

void SettingsDialog::paramList_selectionChanged(QTreeWidgetItem *item)
{
    SettingsViewItem *row = SettingsViewItem::from(item);
    if (!VELMORA_CHECK_PTR(row))
        return;
    m_favourites->follow(row, m_pSettings);
    m_panel->show(row->element());
}

void SettingsDialog::favoriteList_selectionChanged(QTreeWidgetItem *item)
{
    m_favourites->choose(item);
}

void SettingsDialog::slider_clicked()
{
    m_favourites->slide();
}

void SettingsDialog::helpBtn_clicked()
{
    m_panel->showHelp(this);
}

void SettingsDialog::closeBtn_clicked()
{
    close();
}

void SettingsDialog::applyBtn_clicked()
{
    if (Element *invalid = m_actions->firstInvalid()) {
        // The setting has told the user what is wrong; its control shows
        // where.
        SettingsViewItem *row = m_filler->rowShowing(invalid);
        if (!row)
            return;
        row->setOpen(true);
        paramList->setCurrentItem(row);
        paramList->scrollToItem(row);
    } else if (!m_actions->apply(QString(""), this)) {
        // Apply stays enabled for another try when the device refused.
        return;
    }
    applyBtn->setEnabled(false);
}

void SettingsDialog::defBtn_clicked()
{
    m_actions->restoreFactoryValues();
}

void SettingsDialog::buttonClicked(const QString &id)
{
    (void)m_actions->apply(id, this);
}

void SettingsDialog::popupApplyClicked()
{
    auto *form = qobject_cast<FormElement *>(sender());
    if (!form)
        return;
    // The form learns the outcome before it commits its members.
    if (!m_actions->apply(form->id(), form->form()))
        form->applyFailed();
}

void SettingsDialog::elementChanged(const QString &value)
{
    valueChangedBy(qobject_cast<Element *>(sender()), value);
}

void SettingsDialog::valueChangedBy(Element *element, const QString &value)
{
    if (!VELMORA_CHECK_PTR(element))
        return;
    DebugLog("SettingsDialog elementChanged received from %s [%p]", qPrintable(element->id()),
             static_cast<void *>(element));
    if (element->type() == stButton) {
        buttonClicked(element->id());
        return;
    }
    if (!element->isConcrete())
        return;
    m_panel->showValue(element);
    if (m_filler->showValue(element, value, false))
        applyBtn->setEnabled(true);
}

void SettingsDialog::valueResetBy(Element *element)
{
    auto *setting = qobject_cast<ConcreteElement *>(element);
    if (!VELMORA_CHECK_PTR(element) || !setting)
        return;
    m_panel->showValue(setting);
    (void)m_filler->showValue(setting, setting->current(), true);
}

void SettingsDialog::visibilityChangedBy(Element *element, bool visible)
{
    if (!VELMORA_CHECK_PTR(element))
        return;
    DebugLog("SettingsDialog::changeVisibility(%s) for %s", visible ? "true" : "false",
             qPrintable(element->id()));
    if (SettingsViewItem *row = m_filler->findItem(element->id()))
        row->setHidden(!visible);
}

void SettingsDialog::valueChanged(ConcreteElement *element, const QString &value)
{
    valueChangedBy(element, value);
}

void SettingsDialog::valueReset(ConcreteElement *element)
{
    valueResetBy(element);
}

void SettingsDialog::visibleChanged(Element *element, bool visible)
{
    // A group's member has no row of its own: the group's row follows the group.
    if (!element->parentElement())
        visibilityChangedBy(element, visible);
}

void SettingsDialog::connectButton(Element *element, ButtonSlot slot)
{
    if (auto *button = qobject_cast<ButtonElement *>(element))
        connect(button, &ButtonElement::buttonClicked, this, slot, Qt::UniqueConnection);
}

void SettingsDialog::connectElement(Element *element)
{
    // Observed rather than connected: a connection per setting and change
    // costs more than the setting's row.
    element->setObserver(this, this);
    if (element->isConcrete())
        return;
    if (ButtonSlot slot = buttonSlot(element->type())) {
        connectButton(element, slot);
    } else if (auto *group = qobject_cast<ComplexElement *>(element)) {
        // The main member is one of the members observed here.
        (void)enumerate(
            group,
            [](Element *e, void *argument) {
                auto *dialog = static_cast<SettingsDialog *>(argument);
                if (e->type() == stButton)
                    dialog->connectButton(e, &SettingsDialog::elementChanged);
                e->setObserver(dialog, dialog);
                // A pop-up form is its own pop-up: connected once.
                if (auto *form = qobject_cast<FormElement *>(e))
                    connect(form, &FormElement::applyClicked, dialog, &SettingsDialog::popupApplyClicked,
                            Qt::UniqueConnection);
                return true;
            },
            this);
    }
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

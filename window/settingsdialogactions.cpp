#include "window/settingsdialog.h"

#include "base/debuglog.h"
#include "base/usermessage.h"
#include "controller/iconfigurator.h"
#include "model/concreteelement.h"
#include "model/enumerate.h"
#include "model/factoryelement.h"
#include "model/formelement.h"
#include "model/nodedesc.h"
#include "widgets/popupform.h"
#include "window/settingsviewitem.h"

#include <QPushButton>
#include <QTreeWidget>

// The actions on the settings as a whole (the check after loading, Apply,
// Printer Default) and the hand-over of device buttons, pop-up forms and the
// address-book tools to the application controller. The dialog never writes
// to the device itself.

namespace {

// What a walk looking for one element leaves behind.
struct Search
{
    Element *target = nullptr;
    Element *found = nullptr;
};

// Whether group holds member at any depth.
bool holds(const Element *group, const Element *member)
{
    for (const Element *up = member->parentElement(); up; up = up->parentElement())
        if (up == group)
            return true;
    return false;
}

} // namespace

void SettingsDialog::validateSettings(NodeDesc *root)
{
    DebugLog("SettingsDialog::validateSettings()");
    QString list;
    (void)enumerate(
        root,
        [](Element *element, void *argument) {
            auto *setting = qobject_cast<ConcreteElement *>(element);
            if (setting && setting->current() != setting->initial())
                *static_cast<QString *>(argument) += setting->id() + QLatin1Char('\n');
            return true;
        },
        &list);
    if (!list.isEmpty())
        UserMessage::warning(
            nullptr, tr("Error"),
            tr("The following settings cannot be validated and will have empty values:\n\n") + list);
}

bool SettingsDialog::sendToDevice(const QString &id, QWidget *boxParent)
{
    if (!m_pConfigurator || m_pConfigurator->applySettings(id))
        return true;
    // The values stay uncommitted when the device did not take them: shown
    // as applied, they would no longer be sent, and the user would believe
    // the device has them. A false answer without a reason only means there
    // was nothing to send, which is no failure.
    const QString reason = m_pConfigurator->lastFailure();
    if (reason.isEmpty())
        return true;
    DebugLog("SettingsDialog: the device did not take <%s>: %s", qPrintable(id), qPrintable(reason));
    UserMessage::warning(boxParent, tr("Error"),
                         tr("The printer did not take the settings.\n\n%1").arg(reason));
    return false;
}

void SettingsDialog::updateChanges(const QString &id)
{
    // A button press or a pop-up form commits nothing here: a form commits
    // its own members.
    if (!id.isEmpty())
        return;
    DebugLog("SettingsDialog::updateChanges");
    (void)enumerate(
        m_pSettings,
        [](Element *element, void *) {
            if (auto *setting = qobject_cast<ConcreteElement *>(element)) {
                (void)AcceptCallback(setting, nullptr);
                emit setting->valueReset();
            }
            return true;
        },
        nullptr);
}

SettingsViewItem *SettingsDialog::rowShowing(Element *element) const
{
    if (SettingsViewItem *row = findItem(element->id()))
        return row;
    Search search{element};
    (void)enumerate(
        m_pSettings,
        [](Element *candidate, void *argument) {
            auto *search = static_cast<Search *>(argument);
            if (!candidate->isComplex() || !holds(candidate, search->target))
                return true;
            search->found = candidate;
            return false;
        },
        &search);
    if (search.found)
        if (SettingsViewItem *row = findItem(search.found->id()))
            return row;
    return element->node() ? findItem(element->node()->id()) : nullptr;
}

void SettingsDialog::applyBtn_clicked()
{
    Search invalid;
    // The setting that is not valid has told the user why.
    (void)enumerate(
        m_pSettings,
        [](Element *element, void *argument) {
            if (ValidateCallback(element, nullptr))
                return true;
            static_cast<Search *>(argument)->found = element;
            return false;
        },
        &invalid);

    if (invalid.found) {
        SettingsViewItem *row = rowShowing(invalid.found);
        if (!row)
            return;
        row->setOpen(true);
        paramList->setCurrentItem(row);
        paramList->scrollToItem(row);
    } else {
        // Apply stays enabled for another try when the device refused.
        if (!sendToDevice(QString(""), this))
            return;
        updateChanges(QString(""));
    }
    applyBtn->setEnabled(false);
}

void SettingsDialog::defBtn_clicked()
{
    // Every setting with a factory value takes it; the value changes reach
    // the rows and the Apply button as any other change does. Nothing goes
    // to the device before Apply.
    (void)enumerate(
        m_pSettings,
        [](Element *element, void *) {
            auto *setting = qobject_cast<FactoryElement *>(element);
            if (setting && setting->isFactory() && setting->hasFactory()) {
                const QString factory = setting->factory();
                setting->setCurrent(factory);
                setting->setControlValue(factory);
            }
            return true;
        },
        nullptr);
}

void SettingsDialog::buttonClicked(const QString &id)
{
    if (sendToDevice(id, this))
        updateChanges(id);
}

void SettingsDialog::popupApplyClicked()
{
    auto *form = qobject_cast<FormElement *>(sender());
    if (!form)
        return;
    // The form learns the outcome before it commits its members.
    if (sendToDevice(form->id(), form->form()))
        updateChanges(form->id());
    else
        form->applyFailed();
}

// The address-book tools are the controller's; the element's id is of no use.
void SettingsDialog::phoneBookClicked(const QString &)
{
    if (m_pConfigurator)
        (void)m_pConfigurator->phoneBookStart();
}

void SettingsDialog::emailBookClicked(const QString &)
{
    if (m_pConfigurator)
        (void)m_pConfigurator->emailBookStart();
}

void SettingsDialog::addressBookClicked(const QString &)
{
    if (m_pConfigurator)
        (void)m_pConfigurator->addressBookStart();
}

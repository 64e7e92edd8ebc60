#include "window/settingsactions.h"

#include "base/debuglog.h"
#include "base/usermessage.h"
#include "controller/iconfigurator.h"
#include "model/concreteelement.h"
#include "model/enumerate.h"
#include "model/factoryelement.h"
#include "model/nodedesc.h"

#include <QCoreApplication>

// The texts keep the window's translation context: they are the window's
// words, whichever class says them.

SettingsActions::SettingsActions(IConfigurator *configurator, NodeDesc *root)
    : m_pConfigurator(configurator), m_pSettings(root)
{}

void SettingsActions::checkLoadedValues() const
{
    DebugLog("SettingsDialog::validateSettings()");
    QString list;
    (void)enumerate(
        m_pSettings,
        [](Element *element, void *argument) {
            auto *setting = qobject_cast<ConcreteElement *>(element);
            if (setting && setting->current() != setting->initial())
                *static_cast<QString *>(argument) += setting->id() + QLatin1Char('\n');
            return true;
        },
        &list);
    if (!list.isEmpty())
        UserMessage::warning(
            nullptr, QCoreApplication::translate("SettingsDialog", "Error"),
            QCoreApplication::translate(
                "SettingsDialog",
                "The following settings cannot be validated and will have empty values:\n\n") +
                list);
}

Element *SettingsActions::firstInvalid() const
{
    Element *invalid = nullptr;
    (void)enumerate(
        m_pSettings,
        [](Element *element, void *argument) {
            if (ValidateCallback(element, nullptr))
                return true;
            *static_cast<Element **>(argument) = element;
            return false;
        },
        &invalid);
    return invalid;
}

bool SettingsActions::apply(const QString &id, QWidget *boxParent)
{
    // The values stay uncommitted when the device did not take them: shown
    // as applied, they would no longer be sent, and the user would believe
    // the device has them.
    QString reason;
    if (!send(id, &reason)) {
        UserMessage::warning(
            boxParent, QCoreApplication::translate("SettingsDialog", "Error"),
            QCoreApplication::translate("SettingsDialog", "The printer did not take the settings.\n\n%1")
                .arg(reason));
        return false;
    }
    // A button press or a pop-up form commits nothing here: a form commits
    // its own members.
    if (id.isEmpty())
        commitAll();
    return true;
}

bool SettingsActions::send(const QString &id, QString *reason)
{
    if (!m_pConfigurator || m_pConfigurator->applySettings(id))
        return true;
    // A false answer without a reason only means there was nothing to send,
    // which is no failure.
    *reason = m_pConfigurator->lastFailure();
    if (reason->isEmpty())
        return true;
    DebugLog("SettingsDialog: the device did not take <%s>: %s", qPrintable(id), qPrintable(*reason));
    return false;
}

void SettingsActions::commitAll()
{
    DebugLog("SettingsDialog::updateChanges");
    (void)enumerate(
        m_pSettings,
        [](Element *element, void *) {
            if (auto *setting = qobject_cast<ConcreteElement *>(element)) {
                (void)AcceptCallback(setting, nullptr);
                setting->announceReset();
            }
            return true;
        },
        nullptr);
}

void SettingsActions::restoreFactoryValues()
{
    // The value changes reach the rows and the Apply button as any other
    // change does.
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

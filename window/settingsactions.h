#pragma once

#include <QString>

class Element;
class IConfigurator;
class NodeDesc;
class QWidget;

// What the settings window does to the settings as a whole, kept apart
// from its widgets: the check after loading, Apply, Printer Default and the
// commit of applied values. It never writes to the device itself: every
// write goes through the controller.
class SettingsActions
{
public:
    // Either may be null (a window not yet initialized): then there is
    // nothing to check, and nothing is sent.
    SettingsActions(IConfigurator *configurator, NodeDesc *root);

    // Lists, in one box, the settings whose values read from the device
    // could not be kept.
    void checkLoadedValues() const;
    // The first setting that is not valid, or null; the setting has told
    // the user why.
    [[nodiscard]] Element *firstInvalid() const;
    // Sends the changes of id (the empty id: of every setting) and, for the
    // empty id, commits them once the device has them. False only when the
    // device did not take them; the user has then been told why, in a box
    // over boxParent.
    [[nodiscard]] bool apply(const QString &id, QWidget *boxParent);
    // Sends the changes of id, as apply does, but leaves telling the user to
    // the caller: false with the reason in *reason when the device did not
    // take them. Commits nothing.
    [[nodiscard]] bool send(const QString &id, QString *reason);
    // Every setting with a factory value takes it; nothing goes to the
    // device before Apply.
    void restoreFactoryValues();

private:
    // After a successful apply of all settings, their values count as the
    // device's.
    void commitAll();

    IConfigurator *m_pConfigurator;
    NodeDesc *m_pSettings;
};

#pragma once

#include "model/settingcontrol.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class CtlSource;
class Element;
class ListElement;
class NodeDesc;
class SettingsParser;

// How a setting stands once the rules have shaped its control.
struct SettingState
{
    QString id;
    QString kind;  // the type name
    QString value; // the current value; empty for settings without one
    bool hasValue = false;
    QStringList options; // list kinds: the ids of the offered options
    bool isNumber = false;
    // Numbers: the bounds, the step and (decimals) the digits, as the rules left them.
    QString min;
    QString max;
    QString step;
    QString digits;
    bool enabled = false;
    bool shown = false;
};

// One run of velmoractl on a description: the settings as the window holds
// them, with the self-checks the window runs when it fills its tree, and a
// panel nobody sees for the settings' controls.
class CtlSession
{
public:
    explicit CtlSession(CtlSource &source);
    ~CtlSession();
    CtlSession(const CtlSession &) = delete;
    CtlSession &operator=(const CtlSession &) = delete;

    // Reads the description and runs the self-checks. False when there is
    // no description; the source says why.
    [[nodiscard]] bool open();

    [[nodiscard]] SettingsParser *parser() const { return m_pParser; }
    [[nodiscard]] CtlSource &source() const { return m_source; }

    // Every setting in the window's tree order: a category's sub-categories
    // first, then its own settings, each group or form followed by its members.
    [[nodiscard]] QList<Element *> settings() const;
    [[nodiscard]] Element *find(const QString &id) const;

    // Shows the setting's control to the rules and reads it back.
    [[nodiscard]] SettingState describe(Element *element);
    // Puts a value in through the setting's control, as the user's edit would.
    bool enter(Element *element, const QString &value);
    // Whether the setting holds value already, once its control has written
    // both the same way ("6.3" and "6.30" alike with two decimals).
    [[nodiscard]] bool holds(Element *element, const QString &value);

    // The settings whose value differs from the device's.
    [[nodiscard]] QList<Element *> changedSettings() const;
    // Whether every changed setting is valid; an invalid one has said why.
    [[nodiscard]] bool validateChanges();

private:
    CtlSource &m_source;
    SettingsParser *m_pParser = nullptr;
    QWidget m_panel;
};

// Settings whose value the change documents carry and a script may set:
// every setting with a value except read-only texts.
[[nodiscard]] bool IsValueSetting(const Element *element);

// Settings that tell one device from the next (addresses, masks, names and
// numbers typed as text): a file of settings for many devices leaves them
// out unless they are asked for by id.
[[nodiscard]] bool IsIdentitySetting(const Element *element);

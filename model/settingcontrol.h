#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Element;
class ListElement;
class QWidget;

// A setting's control, made the way the settings window makes it when the
// user selects the setting: the setting (or the group holding it) creates
// its control in a panel, and the control's self-check lets the rules
// disable, hide or narrow it. A member of a pop-up form gets its control in
// a panel of its own, as the open form gives it. The panel is never shown;
// the controls are deleted again with this object.
//
// Values go in through the control, by the path a user's edit takes, so the
// rules of the setting and of its dependents run exactly as in the window.
class SettingControl
{
public:
    SettingControl(Element *element, QWidget *panel);
    ~SettingControl();
    SettingControl(const SettingControl &) = delete;
    SettingControl &operator=(const SettingControl &) = delete;

    // The setting's own control; null when it makes none.
    [[nodiscard]] QWidget *control() const;
    // Whether the user could reach and change the control: it and the
    // controls of every group or form holding it are enabled (shown).
    [[nodiscard]] bool isEnabled() const;
    [[nodiscard]] bool isShown() const;

    // Puts value in as the user would. False when the control cannot take
    // it or the setting refuses it; the reason has then been shown, as the
    // window shows it, through the program's message boxes.
    bool enter(const QString &value);

    // The value as the control writes it itself: a number the way its spin
    // box shows it ("6.3" as "6.30" with two decimals, "007" as "7"); any
    // other value, and one the control would not take, as it stands.
    [[nodiscard]] QString normalized(const QString &value) const;

private:
    bool enterInto(QWidget *control, const QString &value);
    void refuse(const QString &text) const;
    bool refuseOption(const ListElement *list, const QString &value) const;

    Element *m_pElement;
    QWidget *m_pPanel;
    // The setting and the groups or forms holding it, outermost first.
    QList<Element *> m_chain;
    // The settings whose createControl was called here, in order.
    QList<Element *> m_created;
    QList<QWidget *> m_formPanels;
};

// The ids of the options a list setting offers now.
[[nodiscard]] QStringList OfferedOptions(const ListElement *list);

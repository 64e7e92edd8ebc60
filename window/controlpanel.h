#pragma once

#include <QString>

class Element;
class QWidget;

// The panel below the lists: the selected setting's control, its place in
// the keyboard's focus chain, and the help button that explains it. At most
// one setting has a control at a time.
class ControlPanel
{
public:
    // The controls go into panel; in the focus chain they come after
    // before and ahead of after.
    ControlPanel(QWidget *panel, QWidget *helpButton, QWidget *before, QWidget *after);
    ~ControlPanel();

    ControlPanel(const ControlPanel &) = delete;
    ControlPanel &operator=(const ControlPanel &) = delete;

    // Replaces the shown control with element's; null (a category) leaves
    // the panel empty.
    void show(Element *element);
    // Pops up the shown setting's help over window.
    void showHelp(QWidget *window) const;
    // Brings element's control, when the panel shows it (the shown setting
    // or a member of the shown group), up to the value the setting holds.
    // Values set by rules, by a neighbour or by the printer defaults reach
    // the setting but not its control. Neither the setting nor its rules
    // hear of the write.
    void showValue(Element *element) const;

private:
    void chainFocus();

    QWidget *m_pPanel;
    QWidget *m_pHelpButton;
    QWidget *m_pBefore;
    QWidget *m_pAfter;
    Element *m_pCurrentElement = nullptr;
};

// The What's This text of a setting: its title and description, or for a
// group or pop-up form those of its direct members.
[[nodiscard]] QString HelpText(Element *element);

#pragma once

#include <QString>

class Constraint;
class Parameter;
class QButtonGroup;
class QComboBox;
class QWidget;

// Per-option steps of a list setting, run over its options with
// ListElement::forEachParameter. A null option or argument is reported as a
// warning naming this file and line, and the option is left alone.

// Where the radio buttons of a list setting go: the group box that is its
// control and the exclusive group of the buttons in it.
struct RadioButtons
{
    QWidget *box = nullptr;
    QButtonGroup *group = nullptr;
};

// Adds a radio button for an offered option to the list setting's group box
// and button group. The button is named after the option id and gets the
// 16-bit checksum of that id as its group id.
void AddRadioButton(Parameter *parameter, const RadioButtons *target);

// Appends the title of an offered option to the combo box.
void AddComboItem(Parameter *parameter, QComboBox *comboBox);

// Without a constraint, offers the option again. With one, an offered option
// stays offered only while some entry of the constraint's values contains the
// option id; an option already withdrawn stays withdrawn.
void Restrict(Parameter *parameter, Constraint *constraint);

// Button id of an option value in a radio group: the checksum of its Latin-1
// bytes, always a non-negative number below 65536.
[[nodiscard]] int RadioButtonId(const QString &value);

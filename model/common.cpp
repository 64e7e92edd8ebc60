#include "model/common.h"

#include "model/constraint.h"
#include "model/parameter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QByteArrayView>
#include <QComboBox>
#include <QLayout>
#include <QRadioButton>
#include <QtGlobal>

namespace {

// A programming error, not a user error: say where and carry on, the way the
// toolkit's own pointer check reports it. The file name is fixed so that the
// warning does not depend on the build directory.
bool CheckPointer(const void *pointer, int line)
{
    if (pointer)
        return true;
    qWarning("In file %s, line %d: Out of memory", "common.cpp", line);
    return false;
}

} // namespace

int RadioButtonId(const QString &value)
{
    // qChecksum is 16 bits wide; kept as a non-negative int it never collides
    // with the group's "assign an id" value -1.
    return int(qChecksum(QByteArrayView(value.toLatin1())) & 0xFFFF);
}

void AddRadioButton(Parameter *parameter, const RadioButtons *target)
{
    if (!CheckPointer(parameter, __LINE__) || !CheckPointer(target, __LINE__))
        return;
    if (!parameter->visible())
        return;
    QWidget *groupBox = target->box;
    if (!CheckPointer(groupBox, __LINE__))
        return;
    QButtonGroup *group = target->group;
    if (!CheckPointer(group, __LINE__))
        return;

    // The button's name is the value it stands for; the click handler reads it back.
    auto *button = new QRadioButton(parameter->title(), groupBox);
    button->setObjectName(QString::fromLatin1(parameter->id().toLatin1()));
    if (QLayout *layout = groupBox->layout())
        layout->addWidget(button);
    group->addButton(button, RadioButtonId(parameter->id()));
    button->show();
}

void AddComboItem(Parameter *parameter, QComboBox *comboBox)
{
    if (!CheckPointer(parameter, __LINE__) || !CheckPointer(comboBox, __LINE__))
        return;
    if (parameter->visible())
        comboBox->addItem(parameter->title());
}

void Restrict(Parameter *parameter, Constraint *constraint)
{
    if (!CheckPointer(parameter, __LINE__))
        return;
    if (!constraint) {
        parameter->setVisible(true);
        return;
    }
    if (!parameter->visible())
        return;
    const QString id = parameter->id();
    for (const QString &value : std::as_const(constraint->values)) {
        if (value.contains(id, Qt::CaseSensitive))
            return;
    }
    parameter->setVisible(false);
}

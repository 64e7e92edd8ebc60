#include "model/listelement.h"

#include "base/debuglog.h"
#include "model/common.h"
#include "model/constraint.h"
#include "model/elementtype.h"
#include "model/parameter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const int RowHeight = 22;
const int CheckBoxHeight = 20;

// Options count towards the group's height whether offered or not, so the
// row keeps its size while constraints come and go.
int radioGroupHeight(std::size_t options)
{
    return int(29 * options + 5);
}

QLabel *rowLabel(QWidget *row)
{
    return row->findChild<QLabel *>(QStringLiteral("label"), Qt::FindDirectChildrenOnly);
}

} // namespace

ListElement::ListElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : FactoryElement(controlName, node, parent)
{}

ListElement::~ListElement() = default;

void ListElement::addParameter(Parameter *parameter)
{
    if (parameter)
        m_parameters.emplace_back(parameter);
}

Parameter *ListElement::findParameter(const QString &value) const
{
    for (const auto &parameter : m_parameters) {
        if (parameter->visible() && parameter->id() == value)
            return parameter.get();
    }
    return nullptr;
}

Parameter *ListElement::parameterAt(int index) const
{
    if (index < 0)
        return nullptr;
    int position = 0;
    for (const auto &parameter : m_parameters) {
        if (!parameter->visible())
            continue;
        if (position == index)
            return parameter.get();
        ++position;
    }
    return nullptr;
}

int ListElement::findParameterIndex(const QString &value) const
{
    int position = 0;
    for (const auto &parameter : m_parameters) {
        if (!parameter->visible())
            continue;
        if (parameter->id() == value)
            return position;
        ++position;
    }
    return -1;
}

QString ListElement::currentText()
{
    DebugLog("ListElement::currentText");
    Parameter *parameter = findParameter(current());
    if (!parameter) {
        DebugLog("Error: can't find current parameter description for listElement: \n%s", qPrintable(dump()));
        parameter = findParameter(factory());
    }
    if (!parameter)
        return tr("Unknown parameter");
    return parameter->title();
}

QObject *ListElement::findOption(const QString &value) const
{
    return findParameter(value);
}

QButtonGroup *ListElement::buttonGroup() const
{
    if (m_type != stRadio || !control())
        return nullptr;
    return control()->findChild<QButtonGroup *>(QString(), Qt::FindDirectChildrenOnly);
}

QWidget *ListElement::createControl(QWidget *parent)
{
    DebugLog("ListElement::createControl:\n%s", qPrintable(dump()));
    switch (m_type) {
    case stCheckbox:
        return createCheckBox(parent);
    case stRadio:
        return createRadioGroup(parent);
    default:
        return createComboBox(parent);
    }
}

QWidget *ListElement::createCheckBox(QWidget *parent)
{
    QWidget *row = createRow(parent, RowHeight);
    // The check box carries the title itself; the empty label only keeps the
    // column of labels aligned.
    rowLabel(row)->setText(QString(""));
    auto *checkBox = new QCheckBox(title(), row);
    checkBox->setChecked(qMax(findParameterIndex(current()), 0) == 1);
    connect(checkBox, &QCheckBox::clicked, this, &ListElement::onClick);
    finishRow(row, checkBox);
    if (parent)
        checkBox->resize(parent->width(), qMin(parent->height(), CheckBoxHeight));
    return row;
}

QWidget *ListElement::createRadioGroup(QWidget *parent)
{
    QWidget *row = createRow(parent, radioGroupHeight(m_parameters.size()));
    rowLabel(row)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto *groupBox = new QGroupBox(row);
    auto *buttons = new QVBoxLayout(groupBox);
    buttons->setSpacing(9);
    auto *group = new QButtonGroup(groupBox);
    group->setExclusive(true);

    // The buttons find their group through the control, so it is stored first.
    setControl(groupBox);
    const RadioButtons radios{control(), buttonGroup()};
    forEachParameter(AddRadioButton, &radios);
    checkRadioButton(group->button(RadioButtonId(current())) ? current() : factory());
    connect(group, &QButtonGroup::idClicked, this, &ListElement::onClick);
    return finishRow(row, groupBox);
}

QWidget *ListElement::createComboBox(QWidget *parent)
{
    QWidget *row = createRow(parent, RowHeight);
    auto *comboBox = new QComboBox(row);
    comboBox->setEditable(false);
    forEachParameter(AddComboItem, comboBox);
    comboBox->setCurrentIndex(findParameterIndex(current()));
    connect(comboBox, &QComboBox::activated, this, &ListElement::onClick);
    return finishRow(row, comboBox);
}

void ListElement::deleteControl()
{
    if (m_type != stRadio) {
        FactoryElement::deleteControl();
        return;
    }

    DebugLog("ListElement::deleteControl:\n%s", qPrintable(dump()));
    QWidget *groupBox = control();
    if (groupBox) {
        QWidget *box = groupBox->parentWidget();
        const bool inRow = box && box->objectName() == QLatin1String("hbox");
        if (inRow)
            delete rowLabel(box);
        QButtonGroup *group = buttonGroup();
        const QList<QRadioButton *> radioButtons = groupBox->findChildren<QRadioButton *>();
        for (QRadioButton *button : radioButtons) {
            if (group)
                group->removeButton(button);
            delete button;
        }
        delete groupBox;
        if (inRow)
            delete box;
    }
    setControl(nullptr);
}

QObject *ListElement::pickSource() const
{
    if (m_type == stRadio)
        return buttonGroup();
    return control();
}

void ListElement::checkRadioButton(const QString &value)
{
    QButtonGroup *group = buttonGroup();
    if (!group)
        return;
    if (QAbstractButton *button = group->button(RadioButtonId(value)))
        button->setChecked(true);
}

void ListElement::onClick()
{
    QWidget *widget = control();
    DebugLog("ListElement::onClick: control=%p", static_cast<void *>(widget));
    if (!widget)
        return;

    QString value;
    switch (m_type) {
    case stCheckbox: {
        auto *checkBox = qobject_cast<QCheckBox *>(widget);
        if (!checkBox)
            return;
        // Off and on are the first and second option, whether offered or not.
        const std::size_t position = checkBox->isChecked() ? 1 : 0;
        value = position < m_parameters.size() ? m_parameters[position]->id() : factory();
        break;
    }
    case stRadio: {
        QButtonGroup *group = buttonGroup();
        QAbstractButton *button = group ? group->checkedButton() : nullptr;
        if (!button)
            return;
        value = button->objectName();
        break;
    }
    default: {
        auto *comboBox = qobject_cast<QComboBox *>(widget);
        if (!comboBox)
            return;
        const int item = qMax(comboBox->currentIndex(), 0);
        DebugLog("[DEBUG]: ListElement::OnClick(): item=%d", item);
        const Parameter *parameter = parameterAt(item);
        value = parameter ? parameter->id() : factory();
        DebugLog("[DEBUG]: ListElement::OnClick(): newValue=%s; parameter is found=%s", qPrintable(value),
                 parameter ? "yes" : "no");
        break;
    }
    }

    const bool changed = value != current();
    setCurrent(value);
    if (changed)
        checkDependencies();
}

void ListElement::setControlValue(const QString &value)
{
    if (QWidget *widget = control()) {
        DebugLog("ListElement::setControlValue: control=%p", static_cast<void *>(widget));
        // A value set from outside is not a user's pick: keep it away from onClick.
        const QSignalBlocker quiet(pickSource());
        switch (m_type) {
        case stCheckbox:
            if (auto *checkBox = qobject_cast<QCheckBox *>(widget))
                checkBox->setChecked(qMax(findParameterIndex(value), 0) == 1);
            break;
        case stRadio:
            checkRadioButton(value);
            break;
        default:
            if (auto *comboBox = qobject_cast<QComboBox *>(widget))
                comboBox->setCurrentIndex(findParameterIndex(value));
            break;
        }
    }
    checkDependencies();
}

bool ListElement::prepareConstraints()
{
    // Every check starts from the full list; each holding rule narrows it again.
    forEachParameter(Restrict, static_cast<Constraint *>(nullptr));
    return true;
}

QString ListElement::chooseOfferedValue() const
{
    if (findParameter(current()))
        return current();
    if (findParameter(factory()))
        return factory();
    if (const Parameter *first = parameterAt(0))
        return first->id();
    return current();
}

void ListElement::applyConstraintValues(Constraint *constraint)
{
    DebugLog("ListElement::applyConstraintValues()");
    if (!constraint)
        return;
    for (const QString &value : std::as_const(constraint->values))
        DebugLog("ListElement::applyConstraintValues() value=%s", qPrintable(value));

    if (constraint->evaluate(QString("")))
        forEachParameter(Restrict, constraint);

    const QString value = chooseOfferedValue();
    if (value != current()) {
        DebugLog("[DEBUG]: ListElement::applyConstraintValues() val=%s, current()=%s", qPrintable(value),
                 qPrintable(current()));
        setCurrent(value);
        checkDependencies();
    }

    if (control())
        rebuildControl();
}

void ListElement::rebuildControl()
{
    QWidget *widget = control();
    switch (m_type) {
    case stCheckbox:
        // Two fixed states: nothing to re-fill.
        break;
    case stRadio: {
        QButtonGroup *group = buttonGroup();
        const QList<QRadioButton *> radioButtons =
            widget->findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
        for (QRadioButton *button : radioButtons) {
            // The rebuild can run inside one of these buttons' own click, so
            // they are taken out at once and destroyed once the click is over.
            if (group)
                group->removeButton(button);
            button->hide();
            button->setParent(nullptr);
            button->deleteLater();
        }
        const RadioButtons radios{control(), buttonGroup()};
        forEachParameter(AddRadioButton, &radios);
        checkRadioButton(current());
        break;
    }
    default: {
        auto *comboBox = qobject_cast<QComboBox *>(widget);
        if (!comboBox)
            break;
        comboBox->clear();
        forEachParameter(AddComboItem, comboBox);
        const int index = findParameterIndex(current());
        DebugLog("[DEBUG]: ListElement::applyConstraintValues findParameterIndex(current()=%s)=%d",
                 qPrintable(current()), index);
        if (index != -1)
            comboBox->setCurrentIndex(index);
        break;
    }
    }
}

bool ListElement::isList() const
{
    return true;
}

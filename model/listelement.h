#pragma once

#include "model/factoryelement.h"
#include "model/parameterlist.h"

#include <QByteArray>
#include <QString>

class Constraint;
class NodeDesc;
class Parameter;
class QButtonGroup;
class QWidget;

// A setting whose value is the id of one of its options. Combo lists and
// paper sizes show a combo box, radio lists a group of radio buttons, and a
// check box stands for the first two options (off, on). Constraints narrow
// the offered options; an option is offered while it is visible, and only
// offered options are found, counted and shown.
class ListElement : public FactoryElement
{
    Q_OBJECT

public:
    ListElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~ListElement() override;

    // Takes ownership; options keep the order in which they are added.
    void addParameter(Parameter *parameter);
    const ParameterList &parameters() const { return m_parameters; }

    // The first offered option whose id is value, or null.
    Parameter *findParameter(const QString &value) const;
    // The option at index when only offered options are counted, or null.
    Parameter *parameterAt(int index) const;
    // Position among the offered options of the first one whose id is value, or -1.
    int findParameterIndex(const QString &value) const;
    // Title of the current option, of the factory option when current is not
    // offered, or "Unknown parameter".
    QString currentText();

    // Calls function(parameter, argument) for every option, offered or not.
    template <typename Function, typename Argument>
    void forEachParameter(Function function, Argument argument) const
    {
        for (const auto &parameter : m_parameters)
            function(parameter.get(), argument);
    }

    QObject *findOption(const QString &value) const override;

    // The exclusive group behind a radio control, or null.
    QButtonGroup *buttonGroup() const;

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    bool prepareConstraints() override;
    void applyConstraintValues(Constraint *constraint) override;
    bool isList() const override;
    void setControlValue(const QString &value) override;

public slots:
    // The user picked an option in the control.
    virtual void onClick();

private:
    QWidget *createCheckBox(QWidget *parent);
    QWidget *createRadioGroup(QWidget *parent);
    QWidget *createComboBox(QWidget *parent);
    // The object whose signal reports the user's pick.
    QObject *pickSource() const;
    void checkRadioButton(const QString &value);
    void rebuildControl();
    QString chooseOfferedValue() const;

    ParameterList m_parameters;
};

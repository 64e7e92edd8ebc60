#pragma once

#include "model/ielement.h"
#include "model/ilocalizable.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class Constraint;
class Dependency;
class IElementObserver;
class NodeDesc;
class QWidget;

// Common base of every setting. It keeps the identity and texts of the
// setting, the category and container it sits in, the settings that depend on
// it and the control currently showing it, and runs the constraints of its
// dependency record. Concrete kinds override the virtual operations; all of
// them are public so that the dialog and the parser can call them through
// Element pointers as well as through IElement.
class Element : public QObject, public IElement, public ILocalizable
{
    Q_OBJECT
    Q_PROPERTY(QString temp READ temp WRITE setTemp)

public:
    // controlName is the control keyword of the description: a null array
    // gives type 0, an empty one type 1, a keyword its number (exact match).
    Element(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~Element() override;

    Element(const Element &) = delete;
    Element &operator=(const Element &) = delete;

    QString id() const override;
    void setId(const QString &id) override;
    QString string() const override;
    QString title() const override;
    QString desc() const override;
    void setString(const QString &key) override;
    void setTitle(const QString &title) override;
    void setDescription(const QString &desc) override;
    int type() const override;
    const char *typeName() const override;
    NodeDesc *node() const override;
    void addDependentElement(IElement *element) override;
    QList<Element *> dependentElements() const override;
    void setDependency(Dependency *dependency) override;
    Dependency *dependency() const override;
    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    void showControl() override;
    void hideControl() override;
    QWidget *control() const override;
    bool checkConstraints(IElement *source, bool selfCheck) override;
    void checkDependencies() override;
    bool prepareConstraints() override;
    virtual void applyConstraint(Constraint *constraint);
    void applyConstraintValues(Constraint *constraint) override;
    void applyConstraintAttributes(Constraint *constraint) override;
    bool isConcrete() const override;
    bool isComplex() const override;
    bool isFactory() const override;
    bool isList() const override;
    bool isValid() override;
    QString dump() const override;
    // The dump, appended to text.
    void appendDump(QString &text) const;
    QString temp() const override;
    void setTemp(const QString &value) override;
    void setControl(QWidget *control) override;

    // The offered option with this id, for list settings; other kinds have no
    // options. Reference attributes reach an option's properties through it.
    QObject *object() override { return this; }
    QObject *findOption(const QString &value) const override
    {
        Q_UNUSED(value);
        return nullptr;
    }

    // The enclosing group or pop-up form, or null for a setting placed
    // directly in its category.
    Element *parentElement() const { return m_pParent; }

    // Tells observer of this setting's changes for as long as owner lives;
    // a null observer stops it.
    void setObserver(IElementObserver *observer, QObject *owner);

    // An IElement received as an argument back to the element object; null
    // for null (every IElement of the program is an Element).
    static Element *fromInterface(IElement *element);

    // How many re-checks of one setting may be running at once (its rules
    // leading back to it) before the cycle is cut, and how deep re-checks of
    // any settings may nest.
    static constexpr int MaxCheckRounds = 3;
    static constexpr int MaxCheckNesting = 1000;

signals:
    void visibleChanged(bool bVisible);

protected:
    // The observer while its owner lives, or null.
    IElementObserver *observer() const { return m_observerOwner ? m_pObserver : nullptr; }
    // Says that the setting was shown or hidden: its signal and its observer.
    void announceVisible(bool visible);

    // The labelled row most settings sit in: a box named "hbox" in the
    // panel, as wide as the panel and at most maxHeight high, holding a
    // "label" with the title.
    QWidget *createRow(QWidget *panel, int maxHeight);
    // Puts control (a child of row) into the row beside the label, makes it
    // the control and lets the self-checked rules shape it. Returns row.
    QWidget *finishRow(QWidget *row, QWidget *control);
    // The row's counterparts of deleteControl, showControl and hideControl:
    // a control in an "hbox" row takes its label (and the row) with it.
    void deleteRowControl();
    void setRowControlVisible(bool visible);

    QString m_id;
    QString m_string;
    QString m_title;
    QString m_desc;
    int m_type;
    QList<Element *> m_dependents;
    // The ids in m_dependents, so adding one more stays constant time.
    QSet<QString> m_dependentIds;
    Dependency *m_pDependency = nullptr;
    NodeDesc *m_pNode;
    Element *m_pParent;
    // The control belongs to the panel; tracking it lets a panel that goes
    // away first leave a null pointer here instead of a dangling one.
    QPointer<QWidget> m_pControl;
    QString m_temp;
    IElementObserver *m_pObserver = nullptr;
    QPointer<QObject> m_observerOwner;

private:
    class CheckPropagation;

    // Runs of checkDependencies for this setting that have not returned yet:
    // more than one only when its rules lead back to it.
    int m_checkRounds = 0;
};

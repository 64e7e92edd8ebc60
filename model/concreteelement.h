#pragma once

#include "model/element.h"

#include <QString>

class QLabel;
class QLineEdit;
class QRegularExpression;

// A setting with a value: the value now in effect (current) and the value
// last read from or committed to the device (initial), both as text. Shown
// as a one-line text field in a labelled row; the subclasses replace the
// editor and keep the row.
class ConcreteElement : public Element
{
    Q_OBJECT
    Q_PROPERTY(QString current READ current WRITE setCurrent)
    Q_PROPERTY(QString initial READ initial WRITE setInitial)

public:
    ConcreteElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~ConcreteElement() override;

    QString current() const { return m_current; }
    // Stores the value and reports it; the control is not touched.
    void setCurrent(const QString &value);
    QString initial() const { return m_initial; }
    void setInitial(const QString &value);

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    void showControl() override;
    void hideControl() override;
    bool checkConstraints(IElement *source, bool selfCheck) override;
    void applyConstraintValues(Constraint *constraint) override;
    void applyConstraintAttributes(Constraint *constraint) override;
    bool isConcrete() const override;
    bool isValid() override;

    // Says that the value was taken as it is (committed or restored): the
    // valueReset signal and the observer.
    void announceReset();

signals:
    void valueChanged(const QString &value);
    void valueReset();

public slots:
    // The editor reports its text here.
    virtual void valueChange(const QString &value);

protected:
    // Address and mask settings: the pattern their text must match, the
    // pattern a complete value must match, and whether this is one of them.
    bool isAddressInput() const;
    const QRegularExpression &typingPattern() const;
    const QRegularExpression &completePattern() const;

    // What the editor shows for value: the value itself, except that an
    // address input, which can only hold four sections, shows an empty
    // address for a value without that form (it could not be typed in).
    QString editorText(const QString &value) const;

    // The program's one warning box for a value, in this class's translation context.
    static void showValueWarning(const QString &text);
    // The line edit showing the value, for kinds whose control is one.
    QLineEdit *lineEditControl() const;

    QString m_current;
    QString m_initial;

private:
    void refuseAddress(const QString &value, bool validAddress);
};

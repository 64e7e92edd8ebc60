#pragma once

#include "model/element.h"

// A setting without a value that only reports being pressed: the dialog
// decides from the type what a press starts (a device button press, a
// sibling tool, a maintenance wizard). Its row is a label with the title and
// a push button with the label text.
class ButtonElement : public Element
{
    Q_OBJECT
    Q_PROPERTY(QString label READ label WRITE setLabel)

public:
    ButtonElement(const QByteArray &controlName, NodeDesc *node, Element *parent);

    QString label() const { return m_label; }
    void setLabel(const QString &label) { m_label = label; }

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    void showControl() override;
    void hideControl() override;

public slots:
    virtual void onClick();

signals:
    void buttonClicked(const QString &value);

private:
    QString m_label;
};

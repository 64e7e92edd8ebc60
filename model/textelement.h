#pragma once

#include "model/concreteelement.h"

// A read-only setting: the value shown through a display format from the
// device (its TEXTLABEL), in place of an editor.
class TextElement : public ConcreteElement
{
    Q_OBJECT
    Q_PROPERTY(QString format READ format WRITE setFormat)

public:
    TextElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~TextElement() override;

    QString format() const { return m_format; }
    void setFormat(const QString &value);

    QWidget *createControl(QWidget *parent) override;

    // What the control shows: the format filled with the value (see TextFormat).
    QString displayText() const;

protected:
    QString m_format;
};

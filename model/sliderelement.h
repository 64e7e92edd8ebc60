#pragma once

#include "model/numericelement.h"

#include <QPointer>

class QSlider;

// An integer setting shown as a horizontal slider between "-" and "+", with
// the value beside it and, for ink and colour settings, a swatch of the
// colour it concerns. The bounds are read when the row is built; later
// changes of min, max or step do not reach the slider.
class SliderElement : public NumericElement
{
    Q_OBJECT

public:
    SliderElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~SliderElement() override;

    // Colour of the swatch as hex digits, without the leading "#"; empty for none.
    QString colorMarker() const { return m_colorMarker; }
    void setColorMarker(const QString &value);

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    void showControl() override;
    void hideControl() override;
    void setControlValue(const QString &value) override;

public slots:
    // The slider moved.
    virtual void onClick();

protected:
    QSlider *sliderControl() const;

    QString m_colorMarker;

private:
    // The whole row; the control is only the slider inside it.
    QPointer<QWidget> m_pRow;
};

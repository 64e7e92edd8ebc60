#include "model/sliderelement.h"

#include "base/debuglog.h"

#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSlider>

#include <algorithm>

namespace {
// The slider with its tick marks needs a little more room than an editor.
const int RowHeight = 24;

QHBoxLayout *boxLayout(QWidget *box)
{
    auto *layout = new QHBoxLayout(box);
    layout->setSpacing(5);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}
} // namespace

SliderElement::SliderElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : NumericElement(controlName, node, parent)
{}

SliderElement::~SliderElement() = default;

void SliderElement::setColorMarker(const QString &value)
{
    m_colorMarker = value;
}

QSlider *SliderElement::sliderControl() const
{
    return qobject_cast<QSlider *>(m_pControl.data());
}

QWidget *SliderElement::createControl(QWidget *parent)
{
    DebugLog("SliderElement::createControl:\n%s", qPrintable(dump()));
    auto *row = new QWidget(parent);
    row->setObjectName(QStringLiteral("hbox"));
    QHBoxLayout *rowLayout = boxLayout(row);
    if (parent)
        row->resize(parent->width(), std::min(parent->height(), RowHeight));

    auto *title = new QLabel(m_title + QStringLiteral(" : "), row);
    title->setObjectName(QStringLiteral("hbox"));
    title->setTextFormat(Qt::PlainText);
    title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rowLayout->addWidget(title, 2);

    if (!m_colorMarker.isEmpty()) {
        DebugLog("colorMarker()=<%s>", qPrintable(m_colorMarker));
        // A square a little smaller than the text beside it.
        const int side = (3 * title->sizeHint().height()) / 4;
        QPixmap swatch(side, side);
        swatch.fill(QColor(QStringLiteral("#") + m_colorMarker));
        auto *colorMark = new QLabel(row);
        colorMark->setObjectName(QStringLiteral("colorMarkLabel"));
        colorMark->setPixmap(swatch);
        colorMark->setAlignment(Qt::AlignCenter);
        rowLayout->addWidget(colorMark, 1);
    }

    auto *sliderBox = new QWidget(row);
    QHBoxLayout *sliderLayout = boxLayout(sliderBox);
    auto *minus = new QLabel(QStringLiteral("-"), sliderBox);
    minus->setObjectName(QStringLiteral("minusLabel"));
    auto *slider = new QSlider(Qt::Horizontal, sliderBox);
    slider->setObjectName(QStringLiteral("label"));
    slider->setRange(toInt(m_min), toInt(m_max));
    slider->setSingleStep(toInt(m_step));
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(toInt(m_current));
    auto *plus = new QLabel(QStringLiteral("+"), sliderBox);
    plus->setObjectName(QStringLiteral("plusLabel"));
    sliderLayout->addWidget(minus);
    sliderLayout->addWidget(slider);
    sliderLayout->addWidget(plus);
    rowLayout->addWidget(sliderBox, 3);

    auto *valueLabel = new QLabel(m_current, row);
    valueLabel->setObjectName(QStringLiteral("valueLabel"));
    valueLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rowLayout->addWidget(valueLabel, 1);

    connect(slider, &QSlider::valueChanged, this, &SliderElement::onClick);
    connect(slider, &QSlider::valueChanged, valueLabel, qOverload<int>(&QLabel::setNum));

    m_pRow = row;
    setControl(slider);
    checkConstraints(nullptr, true);
    return row;
}

void SliderElement::deleteControl()
{
    DebugLog("Element::deleteControl:\n%s", qPrintable(dump()));
    if (QWidget *control = m_pControl.data()) {
        if (m_pRow)
            delete m_pRow.data();
        else
            delete control;
    }
    m_pRow = nullptr;
    m_pControl = nullptr;
}

void SliderElement::showControl()
{
    if (QWidget *control = m_pControl.data())
        (m_pRow ? m_pRow.data() : control)->show();
    announceVisible(true);
}

void SliderElement::hideControl()
{
    if (QWidget *control = m_pControl.data())
        (m_pRow ? m_pRow.data() : control)->hide();
    announceVisible(false);
}

void SliderElement::setControlValue(const QString &value)
{
    if (QSlider *slider = sliderControl()) {
        // The value label keeps following through its own connection.
        disconnect(slider, &QSlider::valueChanged, this, &SliderElement::onClick);
        slider->setValue(toInt(value));
        connect(slider, &QSlider::valueChanged, this, &SliderElement::onClick);
    }
    checkDependencies();
}

void SliderElement::onClick()
{
    QSlider *slider = sliderControl();
    if (!slider)
        return;
    const QString value = QString::number(slider->value());
    const bool changed = value != m_current;
    setCurrent(value);
    if (changed)
        checkDependencies();
}

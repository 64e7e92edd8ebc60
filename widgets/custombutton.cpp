#include "widgets/custombutton.h"

#include <QBitmap>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {
constexpr int StateOff = 0;
constexpr int StateOn = 2;
} // namespace

CustomButton::CustomButton(QWidget *parent, const char *name) : QToolButton(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::toggled, this,
            [this](bool checked) { state_changed(checked ? StateOn : StateOff); });
    connect(this, &QAbstractButton::pressed, this, &CustomButton::this_pressed);
    connect(this, &QAbstractButton::released, this, &CustomButton::this_released);
}

void CustomButton::showPicture(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return;
    // Shown at its own size: the button is the picture, not an icon on a face.
    setIconSize(pixmap.deviceIndependentSize().toSize());
    setIcon(QIcon(pixmap));
    const QBitmap mask = pixmap.mask();
    if (!mask.isNull())
        setMask(mask);
    resize(pixmap.width() + 1, pixmap.height() + 1);
}

void CustomButton::showCurrentPicture()
{
    if (isChecked())
        showPicture(isDown() ? m_onPressedPixmap : m_onPixmap);
    else
        showPicture(isDown() ? m_offPressedPixmap : m_offPixmap);
}

void CustomButton::setOn(bool on)
{
    showPicture(on ? m_onPixmap : m_offPixmap);
    setChecked(on);
}

void CustomButton::setOffPixmap(const QPixmap &pixmap)
{
    m_offPixmap = pixmap;
    showCurrentPicture();
}

void CustomButton::setOffPressedPixmap(const QPixmap &pixmap)
{
    m_offPressedPixmap = pixmap;
    showCurrentPicture();
}

void CustomButton::setOnPixmap(const QPixmap &pixmap)
{
    m_onPixmap = pixmap;
    showCurrentPicture();
}

void CustomButton::setOnPressedPixmap(const QPixmap &pixmap)
{
    m_onPressedPixmap = pixmap;
    showCurrentPicture();
}

void CustomButton::state_changed(int state)
{
    showPicture(state == StateOn ? m_onPixmap : m_offPixmap);
    emit toggleChanged(state);
}

void CustomButton::this_pressed()
{
    showPicture(isChecked() ? m_onPressedPixmap : m_offPressedPixmap);
}

void CustomButton::this_released()
{
    showPicture(isChecked() ? m_onPixmap : m_offPixmap);
}

void CustomButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);

    // The frame never looks pressed, raised or on: the pictures say all that.
    QStyle::State frameState = QStyle::State_None;
    if (isEnabled())
        frameState |= QStyle::State_Enabled;
    if (hasFocus())
        frameState |= QStyle::State_HasFocus;
    QStyleOptionToolButton frame = option;
    frame.rect = rect();
    frame.state = frameState;
    painter.drawPrimitive(QStyle::PE_PanelButtonTool, frame);

    QStyleOptionToolButton label = option;
    label.state = frameState;
    if (isDown())
        label.state |= QStyle::State_Sunken;
    const int frameWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    label.rect = style()
                     ->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, this)
                     .adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
    painter.drawControl(QStyle::CE_ToolButtonLabel, label);
}

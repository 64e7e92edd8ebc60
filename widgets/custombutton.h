#pragma once

#include <QPixmap>
#include <QToolButton>

// A checkable tool button drawn entirely with pictures, one for each
// combination of on/off and pressed/released. A picture that is not set is
// never shown; the button then keeps whatever it showed before.
class CustomButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QPixmap offPixmap READ offPixmap WRITE setOffPixmap)
    Q_PROPERTY(QPixmap offPressedPixmap READ offPressedPixmap WRITE setOffPressedPixmap)
    Q_PROPERTY(QPixmap onPixmap READ onPixmap WRITE setOnPixmap)
    Q_PROPERTY(QPixmap onPressedPixmap READ onPressedPixmap WRITE setOnPressedPixmap)
public:
    explicit CustomButton(QWidget *parent = nullptr, const char *name = nullptr);

    [[nodiscard]] QPixmap offPixmap() const { return m_offPixmap; }
    [[nodiscard]] QPixmap offPressedPixmap() const { return m_offPressedPixmap; }
    [[nodiscard]] QPixmap onPixmap() const { return m_onPixmap; }
    [[nodiscard]] QPixmap onPressedPixmap() const { return m_onPressedPixmap; }

public slots:
    void setOn(bool on);
    void setOffPixmap(const QPixmap &pixmap);
    void setOffPressedPixmap(const QPixmap &pixmap);
    void setOnPixmap(const QPixmap &pixmap);
    void setOnPressedPixmap(const QPixmap &pixmap);

signals:
    // 0 off, 2 on (1, "no change", is never sent by a two-state button).
    void toggleChanged(int state);

protected slots:
    void state_changed(int state);
    virtual void this_pressed();
    virtual void this_released();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showPicture(const QPixmap &pixmap);
    void showCurrentPicture();

    QPixmap m_onPixmap;
    QPixmap m_onPressedPixmap;
    QPixmap m_offPixmap;
    QPixmap m_offPressedPixmap;
};

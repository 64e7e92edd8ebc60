#pragma once

#include <QSize>
#include <QString>

class QWidget;

// The size the settings window opens at. The window is resizable, unlike a
// dialog of fixed size, since users must read whole titles and values: it
// opens wide enough for both and remembers, per user, the size it was given.
class WindowSize
{
public:
    // The size a window opens at on a screen whose available size is
    // available: the remembered one when there is one, within the screen;
    // else the size wanted, within three quarters of the screen.
    [[nodiscard]] static QSize opening(const QSize &wanted, const QSize &remembered, const QSize &available);
    // Gives window its opening size and centres it on its screen.
    static void open(QWidget *window, const QSize &wanted);

    // The size last remembered; invalid when there is none.
    [[nodiscard]] static QSize remembered();
    static void remember(const QSize &size);
    // The per-user file the size is kept in.
    [[nodiscard]] static QString settingsPath();
};

#include "window/windowsize.h"

#include "base/programpaths.h"
#include "base/windowhelpers.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {
const QString SizeKey = QStringLiteral("window/size");
} // namespace

QSize WindowSize::opening(const QSize &wanted, const QSize &remembered, const QSize &available)
{
    if (remembered.isValid() && !remembered.isEmpty())
        return remembered.boundedTo(available);
    return wanted.boundedTo(available * 3 / 4);
}

void WindowSize::open(QWidget *window, const QSize &wanted)
{
    const QScreen *screen = window->screen();
    const QSize available = screen ? screen->availableSize() : wanted;
    window->resize(opening(wanted, remembered(), available));
    CenterWindow(window);
}

QSize WindowSize::remembered()
{
    return QSettings(settingsPath(), QSettings::IniFormat).value(SizeKey).toSize();
}

void WindowSize::remember(const QSize &size)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(SizeKey, size);
}

QString WindowSize::settingsPath()
{
    // Read afresh each time, so that a suite's own configuration directory
    // (or the toolkit's test mode) is honoured.
    return UserConfigDir() + QStringLiteral("/velmora.conf");
}

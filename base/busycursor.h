#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

// Shows the busy cursor while it lives, so a window blocked by an exchange
// with the device never looks frozen without a sign. Does nothing in a
// process without a graphical application object.
class BusyCursor
{
public:
    BusyCursor() : m_active(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_active;
};

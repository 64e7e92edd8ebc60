#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so that a test can
// answer (and record) the boxes it provokes instead of hunting for windows.
class UserMessage
{
public:
    struct Request
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        // Shown below the text, for the reason behind it; none when empty.
        QString informativeText;
    };
    using Answerer = std::function<QMessageBox::StandardButton(const Request &)>;

    static QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                            const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                            const QString &informativeText = QString());

    static QMessageBox::StandardButton critical(QWidget *parent, const QString &caption, const QString &text,
                                                const QString &informativeText = QString())
    {
        return show(parent, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::NoButton,
                    informativeText);
    }
    static QMessageBox::StandardButton warning(QWidget *parent, const QString &caption, const QString &text,
                                               const QString &informativeText = QString())
    {
        return show(parent, QMessageBox::Warning, caption, text, QMessageBox::Ok, QMessageBox::NoButton,
                    informativeText);
    }

    // Replaces the interactive box; an empty answerer restores it. Returns the previous one.
    static Answerer setAnswerer(Answerer answerer);
};

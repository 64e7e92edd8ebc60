#include "base/usermessage.h"

namespace {
UserMessage::Answerer &currentAnswerer()
{
    static UserMessage::Answerer answerer;
    return answerer;
}
} // namespace

QMessageBox::StandardButton UserMessage::show(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                              const QString &text, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton,
                                              const QString &informativeText)
{
    if (const Answerer &answer = currentAnswerer())
        return answer(Request{icon, caption, text, buttons, informativeText});

    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    box.setInformativeText(informativeText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

UserMessage::Answerer UserMessage::setAnswerer(Answerer answerer)
{
    Answerer previous = std::move(currentAnswerer());
    currentAnswerer() = std::move(answerer);
    return previous;
}

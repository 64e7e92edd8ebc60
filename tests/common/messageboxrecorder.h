#pragma once

#include "base/usermessage.h"

#include <QList>

// Answers every message box shown while it lives with one button and keeps
// what was asked, so no test blocks on a modal box.
class MessageBoxRecorder
{
public:
    explicit MessageBoxRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok) : m_answer(answer)
    {
        m_previous = UserMessage::setAnswerer([this](const UserMessage::Request &request) {
            m_requests.append(request);
            return m_answer;
        });
    }
    ~MessageBoxRecorder() { UserMessage::setAnswerer(std::move(m_previous)); }
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    const QList<UserMessage::Request> &requests() const { return m_requests; }
    int count() const { return m_requests.size(); }
    UserMessage::Request last() const
    {
        return m_requests.isEmpty() ? UserMessage::Request{} : m_requests.last();
    }

private:
    QMessageBox::StandardButton m_answer;
    QList<UserMessage::Request> m_requests;
    UserMessage::Answerer m_previous;
};

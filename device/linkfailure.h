#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

// Why the last exchange with the device failed. The device clients live for
// one operation, so the caller copies this before the client goes and tells
// the user with text().
struct LinkFailure
{
    Q_DECLARE_TR_FUNCTIONS(LinkFailure)

public:
    enum Kind {
        None,
        CannotOpen,        // detail: the system's error text
        WriteIncomplete,   // the request was not written within the budget (detail: error text, if any)
        ReadIncomplete,    // the reply was not complete within the budget (detail: error text, if any)
        HangUp,            // the device node went away in the middle of the exchange
        WrongReplySize,    // number: the reply's size
        EmptyDescription,  // the device announced a description of 0 bytes
        DescriptionTooBig, // number: the announced length
        Refused,           // number: the status byte of the reply
        Busy,              // another opener held the node for the whole budget
    };

    Kind kind = None;
    QString detail;
    quint64 number = 0;

    [[nodiscard]] bool failed() const { return kind != None; }
    // One sentence for the user, translated.
    [[nodiscard]] QString text() const;
};

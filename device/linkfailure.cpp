#include "device/linkfailure.h"

#include "device/descriptionlimit.h"

namespace {
// The sentence, with the system's reason in brackets when there is one.
QString withDetail(const QString &sentence, const QString &detail)
{
    return detail.isEmpty() ? sentence : sentence + QStringLiteral(" (") + detail + QLatin1Char(')');
}
} // namespace

QString LinkFailure::text() const
{
    switch (kind) {
    case None:
        return QString();
    case CannotOpen:
        return withDetail(tr("The device cannot be opened."), detail);
    case WriteIncomplete:
        return withDetail(tr("The device did not take the request in time."), detail);
    case ReadIncomplete:
        return withDetail(tr("The device did not answer in time."), detail);
    case HangUp:
        return tr("The device went away during the exchange.");
    case WrongReplySize:
        return tr("The device gave an answer of the wrong size (%1 bytes).").arg(number);
    case EmptyDescription:
        return tr("The device announced an empty description.");
    case DescriptionTooBig:
        return tr("The device announced a description of %1 bytes; at most %2 are accepted.")
            .arg(number)
            .arg(DescriptionLengthLimit);
    case Refused:
        return tr("The device refused the changes (status %1).").arg(number);
    case Busy:
        return tr("The device is busy: another program is using it.");
    }
    return QString();
}

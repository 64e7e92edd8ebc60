#include "model/addresspatterns.h"

namespace {

QRegularExpression anchored(const QString &pattern)
{
    QRegularExpression expression(QRegularExpression::anchoredPattern(pattern));
    expression.optimize();
    return expression;
}

QString repeatSections(const QString &section)
{
    return QStringList(4, section).join(QStringLiteral("\\."));
}

} // namespace

const QRegularExpression &AddressPatterns::address()
{
    static const QRegularExpression pattern =
        anchored(repeatSections(QStringLiteral("(?:[0-9]{0,2}|0[0-9]{2}|1[0-9]{2}|2[0-4][0-9]|25[0-5])")));
    return pattern;
}

const QRegularExpression &AddressPatterns::maskTyping()
{
    static const QRegularExpression pattern =
        anchored(repeatSections(QStringLiteral("(?:[0-9]{0,2}|0[0-9]{2}|128|192|224|24[08]|25[245])")));
    return pattern;
}

const QRegularExpression &AddressPatterns::mask()
{
    static const QRegularExpression pattern =
        anchored(QStringLiteral("(?:(255\\.){0,3}(128|192|224|24[08]|25[245])(\\.0){0,3})"));
    return pattern;
}

bool AddressPatterns::hasInputForm(const QString &text)
{
    static const QRegularExpression form = anchored(QStringLiteral("[0-9]{0,3}(?:\\.[0-9]{0,3}){3}"));
    return form.match(text).hasMatch();
}

bool AddressPatterns::exactMatch(const QRegularExpression &pattern, const QString &text)
{
    return pattern.match(text).hasMatch();
}

int AddressPatterns::matchedLength(const QRegularExpression &pattern, const QString &text)
{
    // An anchored partial match says whether a start of the text can still
    // grow into a match; the longest such start ends where typing went wrong.
    for (qsizetype length = text.size(); length >= 0; --length) {
        const QRegularExpressionMatch match =
            pattern.match(text.left(length), 0, QRegularExpression::PartialPreferCompleteMatch);
        if (match.hasMatch() || match.hasPartialMatch())
            return int(length);
    }
    return -1;
}

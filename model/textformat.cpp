#include "model/textformat.h"

QString TextFormat::format(const QString &format, const QString &value)
{
    if (format.isNull())
        return value;

    QString text;
    text.reserve(format.size() + value.size());
    bool valueUsed = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 == format.size()) {
            text += c;
            continue;
        }
        const QChar next = format.at(i + 1);
        if (next == QLatin1Char('%')) {
            text += QLatin1Char('%');
            ++i;
        } else if (next == QLatin1Char('s') && !valueUsed) {
            text += value;
            valueUsed = true;
            ++i;
        } else {
            // Left for the next round, so "%%" after it is still seen as a pair.
            text += c;
        }
    }
    return text;
}

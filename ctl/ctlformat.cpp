#include "ctl/ctlformat.h"

#include "ctl/ctlsession.h"

#include <QJsonArray>

namespace {
QString rangeText(const SettingState &state)
{
    QString text = QStringLiteral("range=%1..%2 step=%3").arg(state.min, state.max, state.step);
    if (!state.digits.isNull())
        text += QStringLiteral(" digits=%1").arg(state.digits);
    return text;
}
} // namespace

QString EscapedText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString StateLine(const SettingState &state)
{
    QStringList fields{state.id, state.kind, state.value};
    if (!state.options.isEmpty())
        fields.append(QStringLiteral("options=") + state.options.join(QLatin1Char(',')));
    else if (state.isNumber)
        fields.append(rangeText(state));
    if (!state.enabled)
        fields.append(QStringLiteral("disabled"));
    if (!state.shown)
        fields.append(QStringLiteral("hidden"));
    for (QString &field : fields)
        field = EscapedText(field);
    return fields.join(QLatin1Char('\t'));
}

QJsonObject StateJson(const SettingState &state)
{
    QJsonObject object{{QStringLiteral("id"), state.id},
                       {QStringLiteral("kind"), state.kind},
                       {QStringLiteral("enabled"), state.enabled},
                       {QStringLiteral("hidden"), !state.shown}};
    if (state.hasValue)
        object.insert(QStringLiteral("value"), state.value);
    if (!state.options.isEmpty())
        object.insert(QStringLiteral("options"), QJsonArray::fromStringList(state.options));
    if (state.isNumber) {
        object.insert(QStringLiteral("min"), state.min);
        object.insert(QStringLiteral("max"), state.max);
        object.insert(QStringLiteral("step"), state.step);
    }
    if (!state.digits.isNull())
        object.insert(QStringLiteral("digits"), state.digits);
    return object;
}

#include "ctl/ctlimport.h"

#include "base/usermessage.h"
#include "ctl/ctlformat.h"
#include "ctl/ctloptions.h"
#include "ctl/ctlsession.h"
#include "model/element.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("velmoractl", text);
}

// One value of the file. A value the file gives in a form no setting takes
// carries the reason in problem.
struct Wanted
{
    QString id;
    QString value;
    QString problem;
};

// Keeps the texts of the boxes shown while it lives, passing each on to the
// answerer in place before it (standard error).
class MessageRecorder
{
public:
    MessageRecorder()
    {
        m_previous = UserMessage::setAnswerer([this](const UserMessage::Request &request) {
            m_texts.append(request.informativeText.isEmpty()
                               ? request.text
                               : request.text + QLatin1Char(' ') + request.informativeText);
            return m_previous ? m_previous(request) : QMessageBox::Ok;
        });
    }
    ~MessageRecorder() { UserMessage::setAnswerer(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    [[nodiscard]] QString text() const { return m_texts.join(QLatin1Char(' ')); }

private:
    UserMessage::Answerer m_previous;
    QStringList m_texts;
};

void showError(const QString &text, const QString &reason = QString())
{
    UserMessage::critical(nullptr, translated("Error"), text, reason);
}

void refuse(ImportReport &report, const QString &id, const QString &value, const QString &reason)
{
    UserMessage::warning(nullptr, translated("Error"), reason);
    report.refused.append({id, value, reason});
}

// {"id": "value", ...}
bool readJsonSettings(const QByteArray &text, const QString &path, QList<Wanted> &wanted)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (!document.isObject()) {
        showError(translated("'%1' is no settings file").arg(path),
                  error.error != QJsonParseError::NoError ? error.errorString()
                                                          : translated("it holds no JSON object"));
        return false;
    }
    const QJsonObject object = document.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (it.value().isString())
            wanted.append({it.key(), it.value().toString(), QString()});
        else
            wanted.append({it.key(), it.value().toVariant().toString(),
                           translated("'%1': values are written as strings, in quotes").arg(it.key())});
    }
    return true;
}

// The settings of a change document, in document order.
bool readChangeDocument(const QByteArray &text, const QString &path, QList<Wanted> &wanted)
{
    QDomDocument document;
    if (!document.setContent(text)) {
        showError(translated("'%1' is no change document").arg(path));
        return false;
    }
    const QDomElement settings =
        document.documentElement().firstChildElement(QStringLiteral("PrinterSettingsInfo"));
    for (QDomElement e = settings.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.hasAttribute(QStringLiteral("CURRENT")))
            wanted.append({e.tagName(), e.attribute(QStringLiteral("CURRENT")), QString()});
    }
    return true;
}

// A JSON file is a fleet's settings, written for these devices: a name the
// device does not know is an error there. A change document may come from
// another model's backup, so such names are only skipped.
bool readSettingsFile(const QString &path, QList<Wanted> &wanted, bool &isJson)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(translated("Cannot open file: '%1' (%2)").arg(path, file.errorString()));
        return false;
    }
    const QByteArray text = file.readAll();
    isJson = text.trimmed().startsWith('{');
    return isJson ? readJsonSettings(text, path, wanted) : readChangeDocument(text, path, wanted);
}

// The file's values by id, the last of an id winning; values no setting of
// the device can take are refused or skipped here.
QHash<QString, QString> usableValues(CtlSession &session, const QList<Wanted> &wanted, bool isJson,
                                     ImportReport &report)
{
    QHash<QString, QString> values;
    for (const Wanted &entry : wanted) {
        if (!entry.problem.isNull()) {
            refuse(report, entry.id, entry.value, entry.problem);
        } else if (!IsValueSetting(session.find(entry.id))) {
            if (isJson)
                refuse(report, entry.id, entry.value,
                       translated("the device has no setting '%1' that takes a value").arg(entry.id));
            else
                UserMessage::warning(
                    nullptr, translated("Warning"),
                    translated("Skipped '%1': the device has no such setting").arg(entry.id));
        } else {
            values.insert(entry.id, entry.value);
        }
    }
    return values;
}

// Puts every value in that differs, in the description's order (the order
// the rules between them were written for), then checks what changed as
// Apply would.
void enterValues(CtlSession &session, const QHash<QString, QString> &values, ImportReport &report)
{
    for (Element *element : session.settings()) {
        const auto value = values.constFind(element->id());
        // Each id names its first setting, as everywhere in the description.
        if (value == values.constEnd() || session.find(element->id()) != element)
            continue;
        // Compared when its turn comes: an earlier value may have moved it
        // through the rules already. A setting the rules disable or hide is
        // refused here unless it holds the value already.
        if (session.holds(element, *value))
            continue;
        const MessageRecorder recorder;
        if (!session.enter(element, *value))
            report.refused.append({element->id(), *value, recorder.text()});
    }
    for (Element *element : session.changedSettings()) {
        const bool refusedAlready =
            std::any_of(report.refused.cbegin(), report.refused.cend(),
                        [element](const ImportRefusal &r) { return r.id == element->id(); });
        if (refusedAlready)
            continue;
        const MessageRecorder recorder;
        if (!element->isValid())
            report.refused.append({element->id(), element->property("current").toString(), recorder.text()});
    }
}

void collectDiff(const CtlSession &session, const QHash<QString, QString> &values, ImportReport &report)
{
    for (Element *element : session.changedSettings()) {
        if (!values.contains(element->id()))
            continue;
        report.before.append({element->id(), element->objectName()});
        report.after.append({element->id(), element->property("current").toString()});
    }
}

} // namespace

QJsonObject ImportReport::toJson() const
{
    const auto object = [](const QList<std::pair<QString, QString>> &values) {
        QJsonObject o;
        for (const auto &[id, value] : values)
            o.insert(id, value);
        return o;
    };
    QJsonArray refusals;
    for (const ImportRefusal &r : refused)
        refusals.append(QJsonObject{{"id", r.id}, {"value", r.value}, {"reason", r.reason}});
    return QJsonObject{{"changed", changed},
                       {"sent", sent},
                       {"diff", QJsonObject{{"before", object(before)}, {"after", object(after)}}},
                       {"refused", refusals},
                       {"error", error.isNull() ? QJsonValue() : QJsonValue(error)}};
}

void PrintImportDiff(const ImportReport &report, QTextStream &out)
{
    for (qsizetype i = 0; i < report.before.size(); ++i) {
        out << '-' << EscapedText(report.before.at(i).first + QLatin1Char('=') + report.before.at(i).second)
            << '\n';
        out << '+' << EscapedText(report.after.at(i).first + QLatin1Char('=') + report.after.at(i).second)
            << '\n';
    }
}

bool EnterSettingsFile(CtlSession &session, const QString &path, ImportReport &report)
{
    QList<Wanted> wanted;
    bool isJson = false;
    if (!readSettingsFile(path, wanted, isJson))
        return false;
    const QHash<QString, QString> values = usableValues(session, wanted, isJson, report);
    enterValues(session, values, report);
    collectDiff(session, values, report);
    return true;
}

void WriteImportFailure(const CtlOptions &options, const QString &reason, QTextStream &out)
{
    if (options.command != QLatin1String("import") || !options.json)
        return;
    ImportReport report;
    report.error = reason;
    out << QJsonDocument(report.toJson()).toJson(QJsonDocument::Indented);
}

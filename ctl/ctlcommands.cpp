#include "ctl/ctlcommands.h"

#include "base/usermessage.h"
#include "controller/ctlsource.h"
#include "ctl/ctlformat.h"
#include "ctl/ctloptions.h"
#include "ctl/ctlsession.h"
#include "model/changegenerator.h"
#include "model/element.h"
#include "model/settingsparser.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTextStream>

#include <utility>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("velmoractl", text);
}

using Assignment = std::pair<Element *, QString>;

// The settings named, or an empty list when one of them does not exist
// (which is reported).
bool findAll(const CtlSession &session, const QStringList &ids, QList<Element *> &found)
{
    for (const QString &id : ids) {
        Element *element = session.find(id);
        if (!element) {
            ReportCtlError(translated("There is no setting '%1'").arg(id));
            return false;
        }
        found.append(element);
    }
    return true;
}

// The device answered no, or could not be reached to ask.
int notTaken(const CtlSession &session)
{
    ReportCtlError(translated("The printer did not take the settings."), session.source().failure());
    return ExitNotTaken;
}

void printJson(QTextStream &out, const QJsonDocument &document)
{
    out << document.toJson(QJsonDocument::Indented);
}

// Validates what changed, then prints the change document (a dry run) or
// sends it and says what the device answered.
int sendChanges(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    if (!session.validateChanges())
        return ExitRefused;
    const QString document = session.parser()->getChanges(QString(""));
    if (options.dryRun) {
        if (!document.isEmpty())
            out << document << '\n';
        return ExitDone;
    }
    if (document.isEmpty()) {
        out << translated("Nothing to send: every value is the device's already.") << '\n';
        return ExitDone;
    }
    if (!session.source().apply(QString(""))) {
        return notTaken(session);
    }
    const int count = int(session.changedSettings().size());
    out << QCoreApplication::translate("velmoractl", "The device took %n setting(s).", nullptr, count)
        << '\n';
    return ExitDone;
}

int enterAll(CtlSession &session, const QList<Assignment> &assignments)
{
    for (const auto &[element, value] : assignments) {
        if (!session.enter(element, value))
            return ExitRefused;
    }
    return ExitDone;
}

int runList(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    QJsonArray states;
    for (Element *element : session.settings()) {
        const SettingState state = session.describe(element);
        if (options.json)
            states.append(StateJson(state));
        else
            out << StateLine(state) << '\n';
    }
    if (options.json)
        printJson(out, QJsonDocument(states));
    return ExitDone;
}

int runGet(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    QList<Element *> elements;
    if (!findAll(session, options.arguments, elements))
        return ExitUsage;
    QJsonObject values;
    for (Element *element : std::as_const(elements)) {
        const SettingState state = session.describe(element);
        if (options.json)
            values.insert(state.id, state.value);
        else
            out << EscapedText(state.value) << '\n';
    }
    if (options.json)
        printJson(out, QJsonDocument(values));
    return ExitDone;
}

int runSet(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    QList<Assignment> assignments;
    for (const QString &argument : options.arguments) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            ReportCtlError(translated("'%1' is not of the form ID=VALUE").arg(argument));
            return ExitUsage;
        }
        QList<Element *> element;
        if (!findAll(session, {argument.left(equals)}, element))
            return ExitUsage;
        assignments.append({element.first(), argument.mid(equals + 1)});
    }
    if (const int status = enterAll(session, assignments); status != ExitDone)
        return status;
    return sendChanges(session, options, out);
}

int runPress(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    QList<Element *> found;
    if (!findAll(session, options.arguments, found))
        return ExitUsage;
    Element *button = found.first();
    const QString document = button->isComplex() ? QString() : session.parser()->getChanges(button->id());
    if (document.isEmpty()) {
        ReportCtlError(translated("'%1' is not a device button").arg(button->id()));
        return ExitUsage;
    }
    if (options.dryRun) {
        out << document << '\n';
        return ExitDone;
    }
    if (!session.source().apply(button->id())) {
        return notTaken(session);
    }
    out << translated("The device took the press of '%1'.").arg(button->id()) << '\n';
    return ExitDone;
}

int runExport(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    ChangeGenerator generator;
    generator.reset();
    QDomElement settings =
        generator.ensurePath({QStringLiteral("root"), QStringLiteral("PrinterSettingsInfo")});
    for (Element *element : session.settings()) {
        if (IsValueSetting(element))
            settings.appendChild(generator.createDescription(element));
    }
    const QString document = generator.getChanges() + QLatin1Char('\n');

    const QString path = options.arguments.first();
    if (path == QLatin1String("-")) {
        out << document;
        return ExitDone;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document.toUtf8()) < 0 || !file.commit()) {
        ReportCtlError(translated("Cannot write file: '%1' (%2)").arg(path, file.errorString()));
        return ExitUsage;
    }
    return ExitDone;
}

// The settings of a change document, in document order.
bool readChangeDocument(const QString &path, QList<std::pair<QString, QString>> &entries)
{
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file)) {
        ReportCtlError(translated("'%1' is no change document").arg(path));
        return false;
    }
    const QDomElement settings =
        document.documentElement().firstChildElement(QStringLiteral("PrinterSettingsInfo"));
    for (QDomElement e = settings.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.hasAttribute(QStringLiteral("CURRENT")))
            entries.append({e.tagName(), e.attribute(QStringLiteral("CURRENT"))});
    }
    return true;
}

int runImport(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    QList<std::pair<QString, QString>> entries;
    if (!readChangeDocument(options.arguments.first(), entries))
        return ExitUsage;
    // Each value is compared when its turn comes: an earlier one may have
    // moved it through the rules already.
    for (const auto &[id, value] : std::as_const(entries)) {
        Element *element = session.find(id);
        if (!IsValueSetting(element)) {
            UserMessage::warning(nullptr, translated("Warning"),
                                 translated("Skipped '%1': the device has no such setting").arg(id));
            continue;
        }
        if (element->property("current").toString() == value)
            continue;
        if (!session.enter(element, value))
            return ExitRefused;
    }
    return sendChanges(session, options, out);
}

} // namespace

void ReportCtlError(const QString &text, const QString &reason)
{
    UserMessage::critical(nullptr, translated("Error"), text, reason);
}

int RunCtlCommand(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    using Command = int (*)(CtlSession &, const CtlOptions &, QTextStream &);
    static const std::pair<const char *, Command> commands[] = {
        {"list", runList},   {"get", runGet},       {"set", runSet},
        {"press", runPress}, {"export", runExport}, {"import", runImport},
    };
    for (const auto &[name, command] : commands) {
        if (options.command == QLatin1String(name))
            return command(session, options, out);
    }
    ReportCtlError(translated("unknown command '%1'").arg(options.command));
    return ExitUsage;
}

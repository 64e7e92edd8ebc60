#include "ctl/ctlcommands.h"

#include "base/usermessage.h"
#include "controller/ctlsource.h"
#include "ctl/ctlformat.h"
#include "ctl/ctlimport.h"
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
    return session.source().deviceBusy() ? ExitBusy : ExitNotTaken;
}

void printJson(QTextStream &out, const QJsonDocument &document)
{
    out << document.toJson(QJsonDocument::Indented);
}

// Validates what changed, then prints the change document (a dry run) or
// sends it and says what the device answered.
// Sends the changed settings, or with --dry-run prints their change
// document. An import fills its report as it goes, and with --json the
// report is all it prints.
int sendChanges(CtlSession &session, const CtlOptions &options, QTextStream &out,
                ImportReport *report = nullptr)
{
    if (!session.validateChanges())
        return ExitRefused;
    const bool quiet = report && options.json;
    const QString document = session.parser()->getChanges(QString(""));
    if (report) {
        report->changed = !session.changedSettings().isEmpty();
        if (!quiet && options.diff)
            PrintImportDiff(*report, out);
    }
    if (options.dryRun) {
        if (!quiet && !document.isEmpty())
            out << document << '\n';
        return ExitDone;
    }
    if (document.isEmpty()) {
        if (!quiet)
            out << translated("Nothing to send: every value is the device's already.") << '\n';
        return ExitDone;
    }
    if (!session.source().apply(QString(""))) {
        if (report)
            report->error = session.source().failure();
        return notTaken(session);
    }
    if (report)
        report->sent = true;
    if (!quiet) {
        const int count = int(session.changedSettings().size());
        out << QCoreApplication::translate("velmoractl", "The device took %n setting(s).", nullptr, count)
            << '\n';
    }
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

// The settings named after the file, or without names every value setting;
// a settings file for many devices (--json) leaves out the identity settings
// then.
bool exportedSettings(const CtlSession &session, const CtlOptions &options, QList<Element *> &exported)
{
    const QStringList ids = options.arguments.mid(1);
    if (ids.isEmpty()) {
        // A JSON object holds an id once: the setting it names, its first.
        for (Element *element : session.settings()) {
            if (IsValueSetting(element) &&
                !(options.json && (IsIdentitySetting(element) || session.find(element->id()) != element)))
                exported.append(element);
        }
        return true;
    }
    if (!findAll(session, ids, exported))
        return false;
    for (const Element *element : std::as_const(exported)) {
        if (!IsValueSetting(element)) {
            ReportCtlError(translated("'%1' is not a setting that takes a value").arg(element->id()));
            return false;
        }
    }
    return true;
}

QString changeDocument(const QList<Element *> &settings)
{
    ChangeGenerator generator;
    generator.reset();
    QDomElement parent =
        generator.ensurePath({QStringLiteral("root"), QStringLiteral("PrinterSettingsInfo")});
    for (Element *element : settings)
        parent.appendChild(generator.createDescription(element));
    return generator.getChanges() + QLatin1Char('\n');
}

// Ids as keys and every value as a string, however it reads.
QString settingsObject(const QList<Element *> &settings)
{
    QJsonObject values;
    for (const Element *element : settings)
        values.insert(element->id(), element->property("current").toString());
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Indented));
}

int runExport(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    QList<Element *> settings;
    if (!exportedSettings(session, options, settings))
        return ExitUsage;
    const QString document = options.json ? settingsObject(settings) : changeDocument(settings);

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

int runImport(CtlSession &session, const CtlOptions &options, QTextStream &out)
{
    ImportReport report;
    if (!EnterSettingsFile(session, options.arguments.first(), report))
        return ExitUsage;
    const int status = report.refused.isEmpty() ? sendChanges(session, options, out, &report) : ExitRefused;
    if (options.json)
        out << QJsonDocument(report.toJson()).toJson(QJsonDocument::Indented);
    return status;
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

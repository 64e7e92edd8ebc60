#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

#include <utility>

class CtlSession;
class QTextStream;
struct CtlOptions;

// import FILE brings the device to the values of a settings file: a JSON
// object of ids and value texts (as export --json writes it) or a change
// document. Values go in in the description's order, each only where the
// device's value differs once the setting's control has written both alike;
// settings the file does not name are left alone.

struct ImportRefusal
{
    QString id;
    QString value;
    QString reason;
};

// What import found and did, as import --json prints it:
//   {"changed": bool, "sent": bool, "diff": {"before": {...}, "after": {...}},
//    "refused": [{"id", "value", "reason"}...], "error": null or the reason}
struct ImportReport
{
    bool changed = false;
    bool sent = false;
    // The file's settings that change: id and value, in the description's order.
    QList<std::pair<QString, QString>> before;
    QList<std::pair<QString, QString>> after;
    QList<ImportRefusal> refused;
    QString error;

    [[nodiscard]] QJsonObject toJson() const;
};

// Reads the file and enters its values into the session, collecting every
// refusal and the diff in report. False when the file cannot be read (it
// has said why).
[[nodiscard]] bool EnterSettingsFile(CtlSession &session, const QString &path, ImportReport &report);

// The diff as "-ID=VALUE" and "+ID=VALUE" lines, escaped.
void PrintImportDiff(const ImportReport &report, QTextStream &out);

// import --json where no description could be had: the one object, with
// the reason as its error. Other commands print nothing.
void WriteImportFailure(const CtlOptions &options, const QString &reason, QTextStream &out);

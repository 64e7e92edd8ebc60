#pragma once

class CtlSession;
class QString;
class QTextStream;
struct CtlOptions;

// import FILE: brings the device to the values of a settings file, either a
// JSON object of ids and value texts (as export --json writes it) or a change
// document. Values go in in the description's order, each only where the
// device's value differs once the setting's control has written both alike;
// settings the file does not name are left alone. Every refusal is collected
// and then nothing is sent. --dry-run (--check) sends nothing, --diff adds
// the before and after of the file's settings, and --json prints one object:
//   {"changed": bool, "sent": bool, "diff": {"before": {...}, "after": {...}},
//    "refused": [{"id", "value", "reason"}...], "error": null or the reason}
[[nodiscard]] int RunImport(CtlSession &session, const CtlOptions &options, QTextStream &out);

// import --json where no description could be had: the same object, with
// the reason as its error. Other commands print nothing.
void WriteImportFailure(const CtlOptions &options, const QString &reason, QTextStream &out);

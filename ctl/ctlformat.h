#pragma once

#include <QJsonObject>
#include <QString>

struct SettingState;

// A text as one field of a line: backslash, tab, line feed and carriage
// return written as \\, \t, \n and \r, so that whatever a device puts in
// its values and titles stays within its field and its line.
[[nodiscard]] QString EscapedText(const QString &text);

// A setting as one line of list: id, kind and value, then the offered
// options or the range, then "disabled" and "hidden" where the rules say
// so, separated by tabs.
[[nodiscard]] QString StateLine(const SettingState &state);

// The same as a JSON object.
[[nodiscard]] QJsonObject StateJson(const SettingState &state);

#pragma once

#include <QJsonObject>
#include <QString>

struct SettingState;

// A setting as one line of list: id, kind and value, then the offered
// options or the range, then "disabled" and "hidden" where the rules say
// so, separated by tabs.
[[nodiscard]] QString StateLine(const SettingState &state);

// The same as a JSON object.
[[nodiscard]] QJsonObject StateJson(const SettingState &state);

#pragma once

#include <QString>

// Writes text in the system's encoding to the file, replacing it only once
// the whole text is written; false (and the old file kept) otherwise.
[[nodiscard]] bool SaveText(const QString &path, const QString &text);

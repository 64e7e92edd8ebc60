#pragma once

#include <QString>

class QSaveFile;

// Writes text in the system's encoding to the file, replacing it only once
// the whole text is written; false (and the old file kept) otherwise. The
// file is its owner's alone (CommitOwnerOnly).
[[nodiscard]] bool SaveText(const QString &path, const QString &text);

// Replaces the file with what was written to it, readable and writable by
// its owner only: what the program saves is the user's own (a device's
// settings, address books, the user's translation entries).
[[nodiscard]] bool CommitOwnerOnly(QSaveFile &file);

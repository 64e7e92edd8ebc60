#pragma once

#include <QByteArray>
#include <QString>

// Absolute directory of the program file, symbolic links resolved; a null
// text when the file cannot be found. argv0 is taken in the file-name encoding.
QString GetApplicationDir(const QByteArray &argv0);

// The path with every symbolic link in it replaced by its target; a null
// text once the nesting depth reaches the limit (a link loop).
QString ResolveSymLinks(const QString &path, int depth = 0);

// The read-only files installed with the program (pictures, translation
// documents, catalogues, the version record), relative to the program
// directory: <prefix>/bin/../share/velmora, in the build's stage as in
// any installation.
inline constexpr char ShareFolder[] = "../share/velmora";

// The user's own folders, where everything the program writes goes:
// $XDG_DATA_HOME/velmora (saved documents, the user's translation
// entries, vlm.xml for use_local_vlm) and $XDG_CONFIG_HOME/velmora (the
// sibling tools' configuration files, velmora.conf). Read afresh on each
// call, so a test's private folders are honoured.
[[nodiscard]] QString UserDataDir();
[[nodiscard]] QString UserConfigDir();

// Creates the folder (owner-only where it is new); true when it exists.
bool MakePrivateDir(const QString &path);

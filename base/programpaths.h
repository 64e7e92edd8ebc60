#pragma once

#include <QByteArray>
#include <QString>

// Absolute directory of the program file, symbolic links resolved; a null
// text when the file cannot be found. argv0 is taken in the file-name encoding.
QString GetApplicationDir(const QByteArray &argv0);

// The path with every symbolic link in it replaced by its target; a null
// text once the nesting depth reaches the limit (a link loop).
QString ResolveSymLinks(const QString &path, int depth = 0);

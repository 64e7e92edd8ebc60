#pragma once

#include <QImage>
#include <QString>

// An embedded picture by name; a null image when there is none.
QImage ImageFromMimeSource(const QString &name);
// The picture in the file, read in the format its suffix names; a null image
// when the file is missing or holds something else.
QImage ReadImage(const QString &path);

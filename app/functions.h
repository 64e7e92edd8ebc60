#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QWidget;

// Absolute directory of the program file, symbolic links resolved; a null
// text when the file cannot be found. argv0 is taken in the file-name encoding.
QString GetApplicationDir(const QByteArray &argv0);

// The path with every symbolic link in it replaced by its target; a null
// text once the nesting depth reaches the limit (a link loop).
QString ResolveSymLinks(const QString &path, int depth = 0);

// The first two characters of the process locale name ("de", "C", ...).
QString GetSystemLocale();

void CenterWindow(QWidget *widget);
void SetFontPixelSize(QWidget *widget, int pixelSize);
// Gives the widget and every widget below it a font of pixel size 10.
void SetSmallFontRecursive(QWidget *widget);

// An embedded picture by name; a null image when there is none.
QImage ImageFromMimeSource(const QString &name);
// The picture in the file, read in the format its suffix names; a null image
// when the file is missing or holds something else.
QImage ReadImage(const QString &path);

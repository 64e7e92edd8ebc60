#include "base/images.h"

#include "base/imagecollections.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

QImage ImageFromMimeSource(const QString &name)
{
    RegisterWindowImages();
    if (name.isEmpty())
        return QImage();
    QImage image = ReadImage(QStringLiteral(":/images/") + name);
    if (image.isNull() && !name.contains(QLatin1String("..")))
        image = ReadImage(QStringLiteral("../share/images/") + name);
    return image;
}

QImage ReadImage(const QString &path)
{
    // Every picture of the program is named by its format. Guessing from the
    // content instead would load each image plugin installed to ask it, which
    // costs several milliseconds at every start.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

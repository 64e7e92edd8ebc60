#include "base/images.h"

#include "base/imagecollections.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

QImage ImageFromMimeSource(const QString &name)
{
    RegisterWindowImages();
    if (name.isEmpty())
        return QImage();
    // The window asks for the same few pictures again and again (a folder
    // picture per row); each is decoded once and then shared. A name with no
    // picture is looked for again: the files beside the program are found
    // from the working directory, which may not be set yet. What a name
    // finds in the collections changes only when a collection comes or goes.
    static QHash<QString, QImage> decoded;
    static int generation = -1;
    if (generation != ImageCollectionsGeneration()) {
        decoded.clear();
        generation = ImageCollectionsGeneration();
    }
    const auto kept = decoded.constFind(name);
    if (kept != decoded.constEnd())
        return *kept;
    QImage image = ReadImage(QStringLiteral(":/images/") + name);
    if (image.isNull() && !name.contains(QLatin1String("..")))
        image = ReadImage(QStringLiteral("../share/images/") + name);
    if (!image.isNull())
        decoded.insert(name, image);
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

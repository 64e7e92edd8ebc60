#include "base/images.h"

#include "base/imagecollections.h"
#include "base/programpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace {

// The window asks for the same few pictures again and again (a folder
// picture per row); each is decoded once and then shared. A file beside the
// program is kept by its absolute path, as it is found from the working
// directory; what the collections hold changes only when one comes or goes.
// A path with no picture is looked at again the next time.
QImage readOnce(const QString &path)
{
    static QHash<QString, QImage> decoded;
    static int generation = -1;
    if (generation != ImageCollectionsGeneration()) {
        decoded.clear();
        generation = ImageCollectionsGeneration();
    }
    const QString key = path.startsWith(QLatin1Char(':')) ? path : QDir::current().absoluteFilePath(path);
    const auto kept = decoded.constFind(key);
    if (kept != decoded.constEnd())
        return *kept;
    const QImage image = ReadImage(path);
    if (!image.isNull())
        decoded.insert(key, image);
    return image;
}

} // namespace

QImage ImageFromMimeSource(const QString &name)
{
    RegisterWindowImages();
    if (name.isEmpty())
        return QImage();
    QImage image = readOnce(QStringLiteral(":/images/") + name);
    if (!image.isNull() || name.contains(QLatin1String("..")))
        return image;
    const QString relative = QString::fromLatin1(ShareFolder) + QStringLiteral("/images/") + name;
    // Beside the running program first: started by its bare name (as a menu
    // entry starts it), the program stays in the folder it was started from.
    if (QCoreApplication::instance())
        image = readOnce(QDir(QCoreApplication::applicationDirPath()).filePath(relative));
    // Then from the working directory, for the tools that show the window
    // from outside the run tree.
    return image.isNull() ? readOnce(relative) : image;
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

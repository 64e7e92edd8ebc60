#include "app/functions.h"

#include "app/debuglog.h"
#include "resources/images.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QScreen>
#include <QWidget>

#include <climits>
#include <clocale>
#include <unistd.h>

namespace {
constexpr int MaxLinkDepth = 128;

// The raw target of a link, as stored (QFileInfo would resolve it further).
QString readLinkTarget(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlink(encoded.constData(), buffer, PATH_MAX);
    if (length < 0)
        return QString();
    return QFile::decodeName(QByteArray(buffer, static_cast<int>(length)));
}

QString findInSearchPath(const QString &name)
{
    const QString searchPath = QString::fromLocal8Bit(qgetenv("PATH"));
    const QStringList dirs = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &dir : dirs) {
        const QString candidate = QDir::current().absoluteFilePath(dir + QLatin1Char('/') + name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}
} // namespace

QString GetApplicationDir(const QByteArray &argv0)
{
    const QString program = QFile::decodeName(argv0);
    QString path;
    if (program.startsWith(QLatin1Char('/')))
        path = program;
    else if (program.contains(QLatin1Char('/')))
        path = QDir::current().absoluteFilePath(program);
    else if (!program.isEmpty())
        path = findInSearchPath(program);

    if (path.isNull())
        return QString();
    path = QDir::cleanPath(path);
    if (!QFileInfo::exists(path))
        return QString();

    const QString resolved = ResolveSymLinks(path, 0);
    if (resolved.isNull())
        return QString();
    return resolved.left(resolved.lastIndexOf(QLatin1Char('/')));
}

QString ResolveSymLinks(const QString &path, int depth)
{
    if (depth >= MaxLinkDepth)
        return QString();

    // The longest linked prefix is resolved first; each resolution starts
    // over on the new path, so chains and links in directories are followed.
    QString prefix = path;
    while (!prefix.isEmpty()) {
        const QString target = QFileInfo(prefix).isSymLink() ? readLinkTarget(prefix) : QString();
        if (!target.isEmpty()) {
            QString resolved;
            if (target.startsWith(QLatin1Char('/')))
                resolved = target;
            else
                resolved = QDir::current().absoluteFilePath(
                    prefix.left(prefix.lastIndexOf(QLatin1Char('/')) + 1) + target);
            if (prefix.size() < path.size()) {
                const QString rest = path.mid(prefix.size() + 1);
                if (!resolved.endsWith(QLatin1Char('/')))
                    resolved += QLatin1Char('/');
                resolved += rest;
            }
            return ResolveSymLinks(QDir::cleanPath(resolved), depth + 1);
        }
        const int slash = prefix.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            break;
        prefix.truncate(slash);
    }
    return path;
}

QString GetSystemLocale()
{
    const char *name = std::setlocale(LC_CTYPE, "");
    DebugLog("::GetSystemLocale: setlocale: ret=<%s>", name ? name : "");
    return QString::fromLocal8Bit(name ? name : "").left(2);
}

void CenterWindow(QWidget *widget)
{
    if (!widget)
        return;
    const QScreen *screen = widget->window()->screen();
    if (!screen)
        return;
    // Measured from the desktop's origin on purpose: the screen's own offset
    // is not added.
    const QRect desk = screen->geometry();
    const QRect frame = widget->frameGeometry();
    const int x = ((desk.right() - desk.left()) - (frame.right() - frame.left())) / 2;
    const int y = (desk.height() - frame.height()) / 2;
    widget->move(x, y);
}

void SetFontPixelSize(QWidget *widget, int pixelSize)
{
    if (!widget)
        return;
    QFont font = widget->font();
    font.setPixelSize(pixelSize);
    widget->setFont(font);
}

void SetSmallFontRecursive(QWidget *widget)
{
    if (!widget)
        return;
    // Every widget of the tree ends with the same pixel size, so one pass
    // over all descendants does what a recursion per ancestor would.
    SetFontPixelSize(widget, 10);
    const QList<QWidget *> below = widget->findChildren<QWidget *>();
    for (QWidget *child : below)
        SetFontPixelSize(child, 10);
}

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

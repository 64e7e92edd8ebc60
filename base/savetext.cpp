#include "base/savetext.h"

#include <QSaveFile>
#include <QTextStream>

bool SaveText(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::System);
    stream << text;
    stream.flush();
    return stream.status() == QTextStream::Ok && CommitOwnerOnly(file);
}

bool CommitOwnerOnly(QSaveFile &file)
{
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) && file.commit();
}

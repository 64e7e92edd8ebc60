// Why no settings could be had, in one sentence the user can act on.
#include "controller/configurator.h"

#include "model/settingsparser.h"

#include <QDomDocument>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

QString Configurator::linkProblem(const LinkFailure &failure) const
{
    switch (failure.kind) {
    case LinkFailure::CannotOpen:
        if (!QFileInfo::exists(m_devPath))
            return tr("There is no device node %1.").arg(m_devPath);
        if (::access(QFile::encodeName(m_devPath).constData(), R_OK | W_OK) != 0 && errno == EACCES)
            return tr("Permission denied on the device node %1: the user needs read and write access "
                      "to it (usually through the group that owns it).")
                .arg(m_devPath);
        return failure.text();
    case LinkFailure::WriteIncomplete:
    case LinkFailure::ReadIncomplete:
        return tr("The device did not answer within %1 ms.").arg(CommandTimeoutMs);
    default:
        return failure.text();
    }
}

QString Configurator::descriptionProblem(const QString &text) const
{
    QDomDocument document;
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const QDomDocument::ParseResult result = document.setContent(text);
    if (!result)
        return tr("The description is not valid XML: %1 (line %2, column %3).")
            .arg(result.errorMessage)
            .arg(result.errorLine)
            .arg(result.errorColumn);
#else
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(text, &message, &line, &column))
        return tr("The description is not valid XML: %1 (line %2, column %3).")
            .arg(message)
            .arg(line)
            .arg(column);
#endif
    if (!m_pParser->isValid())
        return tr("The description nests its elements too deeply.");
    if (m_pParser->findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo"))).isNull())
        return tr("The description has no root/PrinterSettingsInfo element.");
    return tr("The description holds no usable settings.");
}

#include "controller/descriptionsource.h"

#include "base/busycursor.h"
#include "base/debuglog.h"
#include "base/savetext.h"
#include "controller/devicebudget.h"
#include "device/linkfailure.h"
#include "model/settingsparser.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cerrno>
#include <unistd.h>

namespace {
// A device client that runs the wait work before each read, so a fetch
// does not hold it back for two exchange budgets: a reply is awaited in
// reads of one poll interval each.
class AttentiveClient final : public VLMClient
{
public:
    AttentiveClient(const QString &devPath, const std::function<void()> &work)
        : VLMClient(devPath), m_work(work)
    {}

    qint64 readBlock(char *data, quint32 maxLength) override
    {
        if (m_work)
            m_work();
        return VLMClient::readBlock(data, maxLength);
    }

private:
    const std::function<void()> &m_work;
};
} // namespace

DescriptionSource::DescriptionSource(const ProgramFiles &files, const QString &devPath, bool useLocal,
                                     bool keepCopy)
    : m_files(files), m_devPath(devPath), m_useLocal(useLocal), m_keepCopy(keepCopy)
{}

QString DescriptionSource::read()
{
    m_failure.clear();
    m_deviceBusy = false;
    const QString text = m_useLocal ? readFile() : readDevice();
    if (m_keepCopy)
        (void)SaveText(m_files.saveFilePath("vlm(%1).xml"), text);
    if (text.isEmpty() && m_failure.isEmpty())
        m_failure = tr("The description is empty.");
    return text;
}

QString DescriptionSource::readFile()
{
    const QString path = ProgramFiles::userDataPath(QStringLiteral("vlm.xml"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog("Cannot open file: '%s'", qPrintable(path));
        m_failure = tr("The description file %1 cannot be opened.").arg(path);
        return QString();
    }
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::System);
    return stream.readAll();
}

QString DescriptionSource::readDevice()
{
    const BusyCursor busy;
    AttentiveClient client(m_devPath, m_waitWork);
    DeviceBudget::applyTo(client);
    const QByteArray bytes = client.getSpecification();
    if (client.lastFailure().failed())
        m_failure = linkProblem(client.lastFailure());
    m_deviceBusy = client.lastFailure().kind == LinkFailure::Busy;
    // The text ends at the first NUL the device may have padded it with.
    return QString::fromLatin1(bytes.constData(), qsizetype(qstrnlen(bytes.constData(), bytes.size())));
}

QString DescriptionSource::linkProblem(const LinkFailure &failure) const
{
    switch (failure.kind) {
    case LinkFailure::CannotOpen:
        if (!QFileInfo::exists(m_devPath))
            return tr("There is no device node %1.").arg(m_devPath);
        if (::access(QFile::encodeName(m_devPath).constData(), R_OK | W_OK) != 0 && errno == EACCES)
            return tr("Permission denied on the device node %1: the user needs read and write "
                      "access to it (usually through the group that owns it).")
                .arg(m_devPath);
        return failure.text();
    case LinkFailure::WriteIncomplete:
    case LinkFailure::ReadIncomplete:
        return tr("The device did not answer within %1 ms.").arg(DeviceBudget::CommandTimeoutMs);
    default:
        return failure.text();
    }
}

QString DescriptionSource::descriptionProblem(const QString &text, const SettingsParser &parser)
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
    if (!parser.isValid())
        return tr("The description nests its elements too deeply.");
    if (parser.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo"))).isNull())
        return tr("The description has no root/PrinterSettingsInfo element.");
    return tr("The description holds no usable settings.");
}

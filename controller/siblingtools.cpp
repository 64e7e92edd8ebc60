#include "controller/siblingtools.h"

#include "base/debuglog.h"
#include "base/savetext.h"
#include "model/settingsparser.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
struct ToolFiles
{
    QString (SettingsParser::*configuration)() const;
    const char *name; // on PATH, and of the configuration file
    const char *program;
    const char *noProgram; // logged when the program path is unknown
    const char *notStarted;
};

// In the order of SiblingTools::Tool. The address book's failure to start
// keeps the capital the trace has always shown.
const ToolFiles Tools[] = {
    {&SettingsParser::readPhoneBook, "phonebook", "../../PhoneBook/bin/phonebook",
     "Unable to run phonebook", "Unable to run phonebook"},
    {&SettingsParser::readEmailBook, "emailbook", "../../EmailBook/bin/emailbook",
     "Unable to run emailbook", "Unable to run emailbook"},
    {&SettingsParser::readAddressBook, "addressbook", "../../AddressBook/bin/addressbook",
     "Unable to run addressbook", "Unable to run Addressbook"},
};
} // namespace

SiblingTools::SiblingTools(const ProgramFiles &files, const QString &devPath)
    : m_files(files), m_devPath(devPath)
{}

bool SiblingTools::start(Tool which, const SettingsParser &parser) const
{
    const ToolFiles &tool = Tools[which];
    // Rewritten on every start; without the tool's setting the file is left empty.
    const QString name = QString::fromLatin1(tool.name);
    const QString configPath = ProgramFiles::userConfigPath(name + QLatin1String(".config"));
    (void)SaveText(configPath, (parser.*tool.configuration)());

    QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        program = m_files.resolvePath(QString::fromLatin1(tool.program));
    if (program.isNull()) {
        DebugLog("%s", tool.noProgram);
        return false;
    }
    // The log shows the command as a shell would have run it, but the tool
    // is started without a shell: the device path and the directories are
    // handed over as they are, so blanks, quotes or "$( )" in them can
    // neither break the command nor add one.
    DebugLog("Command: %s",
             qPrintable(QStringLiteral("'%1' %2 &").arg(program, m_devPath + QLatin1Char(' ') + configPath)));
    if (!QProcess::startDetached(program, {m_devPath, configPath})) {
        DebugLog("%s", tool.notStarted);
        return false;
    }
    return true;
}

// The sibling address-book tools: each gets the device path and a
// configuration file holding its part of the description.
#include "controller/configurator.h"

#include "base/debuglog.h"
#include "base/savetext.h"
#include "model/settingsparser.h"

#include <QProcess>

struct Configurator::SiblingTool
{
    QString (SettingsParser::*configuration)() const;
    const char *program;
    const char *configFile;
    const char *noProgram; // logged when the program path is unknown
    const char *notStarted;
};

bool Configurator::phoneBookStart()
{
    static const SiblingTool tool{&SettingsParser::readPhoneBook, "../../PhoneBook/bin/phonebook",
                                  "../../PhoneBook/bin/.config", "Unable to run phonebook",
                                  "Unable to run phonebook"};
    return startTool(tool);
}

bool Configurator::emailBookStart()
{
    static const SiblingTool tool{&SettingsParser::readEmailBook, "../../EmailBook/bin/emailbook",
                                  "../../EmailBook/bin/.config", "Unable to run emailbook",
                                  "Unable to run emailbook"};
    return startTool(tool);
}

bool Configurator::addressBookStart()
{
    static const SiblingTool tool{&SettingsParser::readAddressBook, "../../AddressBook/bin/addressbook",
                                  "../../AddressBook/bin/.config", "Unable to run addressbook",
                                  "Unable to run Addressbook"};
    return startTool(tool);
}

bool Configurator::startTool(const SiblingTool &tool)
{
    // Rewritten on every start; without the tool's setting the file is left empty.
    const QString configPath = resolvePath(QString::fromLatin1(tool.configFile));
    (void)SaveText(configPath, (m_pParser.get()->*tool.configuration)());

    const QString program = resolvePath(QString::fromLatin1(tool.program));
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

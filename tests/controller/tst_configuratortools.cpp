// The sibling address-book tools: the configuration file each one gets and
// the command line it is started with, through a stand-in script beside a
// private copy of the run tree.
#include "common/datatable.h"
#include "common/logcapture.h"
#include "configuratorfixture.h"
#include "controller/siblingtools.h"
#include "model/settingsparser.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>

namespace {
// Writes one argument per line, then moves the list into place, so the test
// never reads half of it.
const QByteArray StandIn = "#!/bin/sh\n"
                           "out=\"$(dirname \"$0\")/arguments\"\n"
                           "printf '%s\\n' \"$@\" > \"$out.part\" && mv \"$out.part\" \"$out\"\n";

// Blanks, quotes, a command substitution and a leading dash: still one file name.
const QString HostileNode = QStringLiteral("-it's a \"node\" $(touch pwned) `id`");

using Start = bool (Configurator::*)();
} // namespace
Q_DECLARE_METATYPE(Start)

class TestConfiguratorTools : public QObject
{
    Q_OBJECT
private slots:
    void startsTool_data()
    {
        // tool: the folder beside the tree; config: what its .config holds (a file of the parser suite)
        addColumns<Start, QString, QString, QString, bool>(
            {"start", "tool", "description", "config", "script"});
        addRow("phone book", &Configurator::phoneBookStart, "PhoneBook/bin/phonebook", samplePath(),
               descriptionData("books/phonebook.txt"), true);
        addRow("e-mail book", &Configurator::emailBookStart, "EmailBook/bin/emailbook", samplePath(),
               descriptionData("books/emailbook.txt"), true);
        addRow("user address book", &Configurator::addressBookStart, "AddressBook/bin/addressbook",
               samplePath(), descriptionData("books/addressbook.txt"), true);
        addRow("no such setting: empty file, tool still started", &Configurator::phoneBookStart,
               "PhoneBook/bin/phonebook", descriptionData("group_popup_members.xml"), QString(), true);
        addRow("tool not installed", &Configurator::emailBookStart, "EmailBook/bin/emailbook", samplePath(),
               descriptionData("books/emailbook.txt"), false);
        // A folder on the search path comes before the folder beside the program.
        addRow("tool on the search path", &Configurator::phoneBookStart, "onpath/phonebook", samplePath(),
               descriptionData("books/phonebook.txt"), true);
    }
    void startsTool()
    {
        QFETCH(Start, start);
        QFETCH(QString, tool);
        QFETCH(QString, description);
        QFETCH(QString, config);
        QFETCH(bool, script);
        RunTreeCopy tree;
        QVERIFY(tree.isValid());
        const QString program = tree.outside(tool);
        const QString toolDir = QFileInfo(program).path();
        QVERIFY(QDir().mkpath(toolDir));
        const QByteArray searchPath = qgetenv("PATH");
        if (tool.startsWith("onpath/"))
            qputenv("PATH", QFile::encodeName(toolDir) + ':' + searchPath);
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", searchPath); });
        if (script) {
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(StandIn) == StandIn.size());
            QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
        }
        QVERIFY(tree.writeData("vlm.xml", fileBytes(description)));
        auto controller = controllerIn(tree, HostileNode, "Office", {true});
        (void)controller->loadSettings();

        LogCapture log;
        QCOMPARE(((*controller).*start)(), script);
        const QString configPath = tree.configDir() + '/' + QFileInfo(program).fileName() + ".config";
        QCOMPARE(QString::fromUtf8(fileBytes(configPath)),
                 config.isNull() ? QString() : QString::fromUtf8(fileBytes(config)));
        // The books are the user's own: nobody else may read them.
        QCOMPARE(QFile::permissions(configPath) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        // The trace shows the command as a shell line would read.
        const QString command = QStringLiteral("Command: '%1' %2 %3 &").arg(program, HostileNode, configPath);
        QVERIFY2(log.contains(command), qPrintable(log.lines().join('\n')));
        if (!script) {
            QVERIFY(log.lines().last().startsWith("Unable to run"));
            return;
        }
        const QString arguments = toolDir + "/arguments";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(arguments), 10000);
        QCOMPARE(QString::fromUtf8(fileBytes(arguments)), HostileNode + '\n' + configPath + '\n');
        QVERIFY(!QFileInfo::exists(toolDir + "/pwned") && !QFileInfo::exists(tree.binDir() + "/pwned"));
    }

    void unknownProgramDirectory()
    {
        const SiblingTools tools(ProgramFiles(QString(), "Office"), "/dev/null");
        LogCapture log;
        QVERIFY(!tools.start(SiblingTools::AddressBook, SettingsParser()));
        QCOMPARE(log.lines().last(), QStringLiteral("Unable to run addressbook"));
    }
};

QTEST_MAIN(TestConfiguratorTools)
#include "tst_configuratortools.moc"

// An installed copy is shared by every user of the machine: the program and
// velmoractl, run with every option word, write only under the user's
// folders and leave every file under the prefix as the install left it.
#include "common/programrun.h"
#include "common/simulateddevice.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Every entry below the folder with what a write would change: inode,
// size, modification time and mode.
QString snapshot(const QString &folder)
{
    QProcess find;
    find.setWorkingDirectory(folder);
    find.start(QStringLiteral("find"), {".", "-printf", "%p %i %s %T@ %m\\n"});
    find.waitForFinished();
    QStringList entries = QString::fromLocal8Bit(find.readAllStandardOutput()).split('\n');
    entries.sort();
    return entries.join('\n');
}
} // namespace

class TestInstalledRun : public QObject
{
    Q_OBJECT
private slots:
    void writesOnlyUnderTheUsersFolders()
    {
        QTemporaryDir prefix;
        QTemporaryDir home;
        ProgramRun install;
        install.start(QStringLiteral("cmake"), {"--install", VELMORA_BINARY_DIR, "--prefix", prefix.path()});
        QVERIFY(install.waitForExit(60000));
        QVERIFY2(install.exitCode() == 0, qPrintable(install.errorOutput()));
        const QString before = snapshot(prefix.path());
        QVERIFY(before.count('\n') > 10);

        SimulatedDevice device;
        QVERIFY2(device.start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml"), {"--apply"}),
                 qPrintable(device.errorText()));
        QProcessEnvironment environment = ProgramRun::offscreenEnvironment(home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        // A language whose document is installed: its lookups go through the user's copy.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        const QString bin = prefix.path() + QStringLiteral("/bin/");
        const QString node = device.devicePath();

        for (const QStringList &arguments :
             {QStringList{node, "list"}, QStringList{node, "set", "Copies=2"}, QStringList{"doctor", node}}) {
            ProgramRun ctl(environment);
            ctl.start(bin + QStringLiteral("velmoractl"), arguments);
            QVERIFY(ctl.waitForExit(20000));
            QVERIFY2(ctl.exitCode() == 0, qPrintable(arguments.join(' ') + ctl.errorOutput()));
        }

        // Scripts leave no translation entries behind.
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("data/velmora/translation"))));
        // The window, once with every word that saves, once on the saved local file.
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("data/velmora"))));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml"),
                            home.filePath(QStringLiteral("data/velmora/vlm.xml"))));
        // Started by its bare name from the user's home, as the menu entry
        // starts it: the installed pictures are found all the same.
        environment.insert(QStringLiteral("PATH"), bin + QStringLiteral(":/usr/bin:/bin"));
        for (const char *words : {"save_vlm save_new_vlm save_vlm_send", "use_local_vlm save_vlm"}) {
            ProgramRun window(environment);
            window.start(QStringLiteral("/bin/sh"),
                         {"-c", QStringLiteral("exec velmora \"$0\" Office ") + QLatin1String(words), node},
                         home.path());
            QVERIFY2(QTest::qWaitFor([&] { return window.hasWritten("SettingsDialog::validateSettings()"); },
                                     20000),
                     qPrintable(window.errorOutput()));
            QVERIFY2(!window.hasWritten("Folder pictures not found"), qPrintable(window.errorOutput()));
        }
        QCOMPARE(snapshot(prefix.path()), before);
        // What was written went to the user's folders.
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("data/velmora/vlm(Office).xml"))));
    }
};

QTEST_GUILESS_MAIN(TestInstalledRun)
#include "tst_installedrun.moc"

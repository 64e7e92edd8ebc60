// An installed copy is shared by every user of the machine: the program and
// velmoractl, run with every option word, write only under the user's
// folders and leave every file under the prefix as the install left it.
#include "common/programrun.h"
#include "common/simulateddevice.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {
// Every entry below the folder with what would show a write: inode, size,
// modification time, mode and content.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat status {};
        (void)::lstat(QFile::encodeName(path).constData(), &status);
        QFile file(path);
        const QByteArray hash = S_ISREG(status.st_mode) && file.open(QIODevice::ReadOnly)
                                    ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()
                                    : QByteArray();
        entries.append(QStringLiteral("%1 %2 %3 %4.%5 %6 %7")
                           .arg(path.mid(folder.size()))
                           .arg(status.st_ino)
                           .arg(status.st_size)
                           .arg(status.st_mtim.tv_sec)
                           .arg(status.st_mtim.tv_nsec)
                           .arg(status.st_mode, 0, 8)
                           .arg(QString::fromLatin1(hash)));
    }
    entries.sort();
    return entries;
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
        const QStringList before = snapshot(prefix.path());
        QVERIFY(before.size() > 10);

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

        // The window, once with every word that saves, once on the saved local file.
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("data/velmora"))));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml"),
                            home.filePath(QStringLiteral("data/velmora/vlm.xml"))));
        for (const QStringList &words : {QStringList{"save_vlm", "save_new_vlm", "save_vlm_send"},
                                         QStringList{"use_local_vlm", "save_vlm"}}) {
            ProgramRun window(environment);
            window.start(bin + QStringLiteral("velmora"), QStringList{node, "Office"} + words);
            QVERIFY2(QTest::qWaitFor([&] { return window.hasWritten("SettingsDialog::validateSettings()"); }, 20000),
                     qPrintable(window.errorOutput()));
        }
        for (const QStringList &arguments : {QStringList{node, "list"}, QStringList{node, "set", "Copies=2"},
                                             QStringList{"doctor", node}}) {
            ProgramRun ctl(environment);
            ctl.start(bin + QStringLiteral("velmoractl"), arguments);
            QVERIFY(ctl.waitForExit(20000));
            QVERIFY2(ctl.exitCode() == 0, qPrintable(arguments.join(' ') + ctl.errorOutput()));
        }

        QCOMPARE(snapshot(prefix.path()), before);
        // What was written is in the user's folders, and nobody else may read it.
        const QString saved = home.filePath(QStringLiteral("data/velmora/vlm(Office).xml"));
        QVERIFY(QFileInfo::exists(saved));
        QCOMPARE(QFile::permissions(saved) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("config/velmora/velmora.conf"))));
    }
};

QTEST_GUILESS_MAIN(TestInstalledRun)
#include "tst_installedrun.moc"

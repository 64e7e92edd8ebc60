// One running program per device: real processes of the staged program
// against each other and against this test process, which is itself a
// single-instance application.
#include "app/singleapplication.h"
#include "common/programrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int StartTimeoutMs = 20000;
const QString Unavailable = QStringLiteral("Cannot get printer settings!");
const QString OwnKey = QStringLiteral("/dev/null InProcess");
QString runtimeDir; // the private directory of this suite and its children

// Waits until the program either serves its device (it reached the error
// box, past the single-instance check) or has ended.
[[nodiscard]] bool settles(ProgramRun &run)
{
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(StartTimeoutMs)) {
        if (run.hasWritten(Unavailable) || !run.isRunning())
            return true;
        QTest::qWait(20);
    }
    return false;
}

[[nodiscard]] bool servesDevice(ProgramRun &run)
{
    return settles(run) && run.isRunning() && run.hasWritten(Unavailable);
}

// Handed its key to a running instance: exit 0 before the change of directory.
[[nodiscard]] bool leftToRunningInstance(ProgramRun &run)
{
    return settles(run) && !run.isRunning() && run.exitStatus() == QProcess::NormalExit &&
           run.exitCode() == 0 && !run.hasWritten(QStringLiteral("QDir::currentDirPath"));
}

std::unique_ptr<ProgramRun>
startProgram(const QStringList &arguments,
             const QProcessEnvironment &environment = ProgramRun::offscreenEnvironment(runtimeDir))
{
    auto run = std::make_unique<ProgramRun>(environment);
    run->start(ProgramRun::stagedProgram(), arguments);
    return run;
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit TestSingleInstance(SingleApplication &app) : m_app(app) {}

private:
    SingleApplication &m_app;

private slots:
    void initTestCase() { QVERIFY(QFileInfo(ProgramRun::stagedProgram()).isExecutable()); }

    void messageOfSecondStartReachesThisInstance()
    {
        QVERIFY(!m_app.sendMessage(OwnKey, 1000));
        m_app.initialize(false);
        QVERIFY(m_app.isInstance());
        QSignalSpy received(&m_app, &SingleApplication::messageReceived);

        auto second = startProgram({QStringLiteral("/dev/null"), QStringLiteral("InProcess")});
        QVERIFY2(leftToRunningInstance(*second), qPrintable(second->errorOutput()));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toString(), OwnKey);
    }

    void secondStart_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<bool>("separate");
        QTest::newRow("same device path and name")
            << QStringList{"/dev/null", "Office"} << QStringList{"/dev/null", "Office"} << false;
        QTest::newRow("same path, other device name")
            << QStringList{"/dev/null", "Office"} << QStringList{"/dev/null", "Lab"} << true;
        QTest::newRow("other path, same device name")
            << QStringList{"/dev/null", "Office"} << QStringList{"/dev/zero", "Office"} << true;
        QTest::newRow("option words do not change the key")
            << QStringList{"/dev/null", "Office"} << QStringList{"/dev/null", "Office", "save_vlm"} << false;
        // The key is taken from the raw arguments, before the toolkit has
        // removed its own options.
        QTest::newRow("key from raw arguments with toolkit options")
            << QStringList{"-platform", "offscreen", "/dev/null", "Office"}
            << QStringList{"-platform", "offscreen", "/dev/zero", "Lab"} << false;
    }
    void secondStart()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(bool, separate);
        auto running = startProgram(first);
        QVERIFY2(servesDevice(*running), qPrintable(running->errorOutput()));

        auto next = startProgram(second);
        if (separate)
            QVERIFY2(servesDevice(*next), qPrintable(next->errorOutput()));
        else
            QVERIFY2(leftToRunningInstance(*next), qPrintable(next->errorOutput()));
        QVERIFY(running->isRunning());
    }

    void killedInstanceDoesNotBlockNextStart()
    {
        const QStringList arguments{QStringLiteral("/dev/null"), QStringLiteral("Killed")};
        const QString key = arguments.join(QLatin1Char(' '));
        auto crashed = startProgram(arguments);
        QVERIFY2(servesDevice(*crashed), qPrintable(crashed->errorOutput()));
        crashed->kill(); // SIGKILL: nothing gets cleaned up
        QVERIFY(QFileInfo::exists(SingleApplication::lockFilePath(key)));
        QVERIFY(QFileInfo::exists(SingleApplication::socketPath(key)));

        auto next = startProgram(arguments);
        QVERIFY2(servesDevice(*next), qPrintable(next->errorOutput()));
        auto third = startProgram(arguments);
        QVERIFY2(leftToRunningInstance(*third), qPrintable(third->errorOutput()));
    }

    void simultaneousStartsElectOneInstance()
    {
        for (int round = 0; round < 3; ++round) {
            const QStringList arguments{QStringLiteral("/dev/null"), QStringLiteral("Race%1").arg(round)};
            std::vector<std::unique_ptr<ProgramRun>> runs;
            for (int i = 0; i < 3; ++i)
                runs.push_back(startProgram(arguments));
            int instances = 0;
            for (auto &run : runs) {
                if (servesDevice(*run))
                    ++instances;
                else
                    QVERIFY2(leftToRunningInstance(*run), qPrintable(run->errorOutput()));
            }
            QCOMPARE(instances, 1);
        }
    }

    void instanceFilesArePrivate()
    {
        const QStringList arguments{QStringLiteral("/dev/null"), QStringLiteral("Private")};
        auto run = startProgram(arguments);
        QVERIFY2(servesDevice(*run), qPrintable(run->errorOutput()));
        const QString socket = SingleApplication::socketPath(arguments.join(QLatin1Char(' ')));
        QCOMPARE(QFileInfo(socket).absolutePath(), runtimeDir);
        QVERIFY(S_ISSOCK(modeOf(socket)));
        QCOMPARE(modeOf(socket) & 077, mode_t(0));
        QCOMPARE(modeOf(runtimeDir) & 077, mode_t(0));
    }

    void whereInstanceFilesGo_data()
    {
        QTest::addColumn<int>("runtimeMode"); // -1: no runtime directory given
        QTest::addColumn<bool>("longRuntime");
        QTest::addColumn<int>("ownFolderMode"); // -1: not there before
        QTest::addColumn<QString>("expected");  // "runtime", "own" or "none"
        QTest::newRow("private runtime directory") << 0700 << false << -1 << "runtime";
        QTest::newRow("runtime directory open to others") << 0755 << false << -1 << "own";
        QTest::newRow("runtime directory too long for a socket name") << 0700 << true << -1 << "own";
        QTest::newRow("no runtime directory") << -1 << false << -1 << "own";
        QTest::newRow("own folder already private") << -1 << false << 0700 << "own";
        QTest::newRow("own folder open to others is refused") << -1 << false << 0777 << "none";
    }
    void whereInstanceFilesGo()
    {
        QFETCH(int, runtimeMode);
        QFETCH(bool, longRuntime);
        QFETCH(int, ownFolderMode);
        QFETCH(QString, expected);
        QTemporaryDir base;
        const QString runtime =
            base.path() + QStringLiteral("/runtime") + QString(longRuntime ? 60 : 0, QLatin1Char('r'));
        const QString temp = base.path() + QStringLiteral("/tmp");
        const QString own = temp + QStringLiteral("/velmora-") + QString::number(::geteuid());
        QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(temp));
        QVERIFY(::chmod(QFile::encodeName(runtime).constData(), runtimeMode < 0 ? 0700 : runtimeMode) == 0);
        if (ownFolderMode >= 0) {
            QVERIFY(QDir().mkpath(own));
            QVERIFY(::chmod(QFile::encodeName(own).constData(), ownFolderMode) == 0);
        }
        QProcessEnvironment environment = ProgramRun::offscreenEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp);
        if (runtimeMode >= 0)
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        else
            environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));

        const QStringList arguments{QStringLiteral("/dev/null"), QStringLiteral("Where")};
        auto first = startProgram(arguments, environment);
        QVERIFY2(servesDevice(*first), qPrintable(first->errorOutput()));
        auto second = startProgram(arguments, environment);
        const QStringList sockets{QStringLiteral("velmora-*.socket")};
        const int inRuntime = QDir(runtime).entryList(sockets, QDir::System).size();
        const int inOwn = QDir(own).entryList(sockets, QDir::System).size();

        if (expected == QLatin1String("none")) {
            // Nowhere safe to meet: every start runs on its own.
            QVERIFY2(servesDevice(*second), qPrintable(second->errorOutput()));
            QVERIFY(first->hasWritten(QStringLiteral("running without the single-instance check")));
            QCOMPARE(inRuntime + inOwn, 0);
            QCOMPARE(modeOf(own) & 0777, mode_t(0777));
            return;
        }
        QVERIFY2(leftToRunningInstance(*second), qPrintable(second->errorOutput()));
        QCOMPARE(inRuntime, expected == QLatin1String("runtime") ? 1 : 0);
        QCOMPARE(inOwn, expected == QLatin1String("own") ? 1 : 0);
        if (expected == QLatin1String("own"))
            QCOMPARE(modeOf(own) & 0777, mode_t(0700));
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    runtimeDir = QDir(dir.path()).canonicalPath();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));
    SingleApplication app(OwnKey, argc, argv);
    TestSingleInstance test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"

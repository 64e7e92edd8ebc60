// The staged program as a user starts it: from a terminal without a
// display, through links and through the search path.
#include "common/programrun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr int StartTimeoutMs = 20000;
const QString Unavailable = QStringLiteral("Cannot get printer settings!");

QString stagedVersionLine()
{
    QFile file(ProgramRun::stagedBinDir() + QStringLiteral("/.version"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readLine()) : QString();
}
} // namespace

class TestProgramStart : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_root;

    // The version banner shows that the program found its own directory,
    // since it reads the version file from there.
    void expectFoundOwnDirectory(ProgramRun &run)
    {
        QTRY_VERIFY_WITH_TIMEOUT(run.hasWritten(Unavailable) || !run.isRunning(), StartTimeoutMs);
        const QString err = run.errorOutput();
        QVERIFY2(run.isRunning(), qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("\t\tVelmora: ") + stagedVersionLine()), qPrintable(err));
        QVERIFY(!err.contains(QStringLiteral("can't get application version")));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        QVERIFY(QFileInfo(ProgramRun::stagedProgram()).isExecutable());
        QVERIFY(!stagedVersionLine().isEmpty());
    }

    void usageWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("device path alone") << QStringList{QStringLiteral("/dev/null")};
        QTest::newRow("no arguments") << QStringList{};
    }
    void usageWithoutDisplay()
    {
        QFETCH(QStringList, arguments);
        ProgramRun run(ProgramRun::displaylessEnvironment());
        run.start(ProgramRun::stagedProgram(), arguments);
        QVERIFY(run.waitForExit());
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 1);
        const QRegularExpression usage(
            QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> Usage: Velmora <devPath> <devName>\\n$"));
        QVERIFY2(usage.match(run.errorOutput()).hasMatch(), qPrintable(run.errorOutput()));
    }

    void startedThroughLinkedDirectory()
    {
        // A relative program path whose directory is a link: the program
        // changes into that directory before it looks for its own files.
        QVERIFY(QFile::link(ProgramRun::stagedBinDir(), m_root + QStringLiteral("/linkdir")));
        ProgramRun run(ProgramRun::offscreenEnvironment(m_root));
        run.start(QStringLiteral("linkdir/velmora"),
                  {QStringLiteral("/dev/null"), QStringLiteral("LinkedDir")}, m_root);
        expectFoundOwnDirectory(run);
        const QString err = run.errorOutput();
        QVERIFY(err.contains(QStringLiteral("QDir::currentDirPath=<%1>\n").arg(m_root)));
        QVERIFY(err.contains(QStringLiteral("QDir::currentDirPath=<%1>\n")
                                 .arg(QDir(ProgramRun::stagedBinDir()).canonicalPath())));
    }

    void startedThroughLinkedProgram()
    {
        // The link sits in a directory without the program's files.
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("elsewhere/bin")));
        QVERIFY(QFile::link(ProgramRun::stagedProgram(), m_root + QStringLiteral("/elsewhere/bin/velmora")));
        ProgramRun run(ProgramRun::offscreenEnvironment(m_root));
        run.start(QStringLiteral("elsewhere/bin/velmora"),
                  {QStringLiteral("/dev/null"), QStringLiteral("LinkedProgram")}, m_root);
        expectFoundOwnDirectory(run);
    }

    void startedThroughSearchPath()
    {
        // The first search entry lacks the program; the shell passes the bare
        // name on as argument 0.
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("empty")));
        QProcessEnvironment environment = ProgramRun::offscreenEnvironment(m_root);
        environment.insert(QStringLiteral("PATH"), m_root + QStringLiteral("/empty:") +
                                                       ProgramRun::stagedBinDir() +
                                                       QStringLiteral(":/usr/bin:/bin"));
        ProgramRun run(environment);
        run.start(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("exec velmora /dev/null SearchPath"), QStringLiteral("sh")},
            m_root);
        expectFoundOwnDirectory(run);
        QVERIFY(run.hasWritten(QStringLiteral("arg[0] = velmora\n")));
    }

    void toolkitOptionsRemovedBeforeArgumentsAreRead()
    {
        ProgramRun run(ProgramRun::offscreenEnvironment(m_root));
        run.start(ProgramRun::stagedProgram(),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("/dev/null"),
                   QStringLiteral("Toolkit"), QStringLiteral("save_vlm")});
        QTRY_VERIFY_WITH_TIMEOUT(run.hasWritten(Unavailable) || !run.isRunning(), StartTimeoutMs);
        const QString err = run.errorOutput();
        QVERIFY2(run.isRunning(), qPrintable(err));
        const QRegularExpression argLine(QStringLiteral("> (arg\\[\\d+\\] = .*)\\n"));
        QStringList argLines;
        for (auto it = argLine.globalMatch(err); it.hasNext();)
            argLines << it.next().captured(1);
        QCOMPARE(argLines,
                 QStringList({QStringLiteral("arg[0] = ") + ProgramRun::stagedProgram(),
                              QStringLiteral("arg[1] = /dev/null"), QStringLiteral("arg[2] = Toolkit"),
                              QStringLiteral("arg[3] = save_vlm")}));
    }

    void startupLinesInOrder()
    {
        ProgramRun run(ProgramRun::offscreenEnvironment(m_root));
        run.start(ProgramRun::stagedProgram(), {QStringLiteral("/dev/null"), QStringLiteral("Order")},
                  m_root);
        QTRY_VERIFY_WITH_TIMEOUT(run.hasWritten(Unavailable) || !run.isRunning(), StartTimeoutMs);
        const QString err = run.errorOutput();
        QVERIFY2(run.isRunning(), qPrintable(err));
        const QStringList expectedOrder{QStringLiteral("QDir::currentDirPath=<") + m_root,
                                        QStringLiteral("QDir::currentDirPath=<") +
                                            QDir(ProgramRun::stagedBinDir()).canonicalPath(),
                                        QStringLiteral("arg[0] = "),
                                        QStringLiteral("arg[2] = Order"),
                                        QStringLiteral("\t\tVelmora: "),
                                        Unavailable};
        qsizetype from = 0;
        for (const QString &text : expectedOrder) {
            const qsizetype at = err.indexOf(text, from);
            QVERIFY2(at >= 0, qPrintable(QStringLiteral("missing or out of order: ") + text +
                                         QLatin1Char('\n') + err));
            from = at + text.size();
        }
    }
};

QTEST_GUILESS_MAIN(TestProgramStart)
#include "tst_programstart.moc"

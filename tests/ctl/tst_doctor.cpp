// velmoractl doctor as the user whose device does not work runs it: without
// privileges (as root every node opens), against the simulated device's
// terminal made to look like a node of another user, silent, or well.
#include "common/datatable.h"
#include "common/programrun.h"
#include "common/simulateddevice.h"
#include "ctl/ctldoctor.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// How the node is set up before the run.
enum class Node { Missing, OtherUsers, Open, HeldOpen };
} // namespace
Q_DECLARE_METATYPE(Node)

class TestDoctor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("the runs as another user need root and setpriv");
    }

    void checksInOrder_data()
    {
        // devsim: its options; unprivileged: run as nobody; lines: each line's first word, in order
        addColumns<Node, QStringList, bool, int, QStringList, QString>(
            {"node", "devsim", "unprivileged", "status", "lines", "says"});
        const QStringList all{"node:", "owner:", "access:", "in", "answer:", "description:", "fix:"};
        addRow("missing node", Node::Missing, QStringList(), true, int(DoctorNoNode), QStringList{"node:", "fix:"},
               "does not exist");
        addRow("another user's node, mode 0600", Node::OtherUsers, QStringList(), true, int(DoctorNoAccess),
               QStringList{"node:", "owner:", "access:", "fix:"}, "not in group");
        addRow("silent device", Node::Open, QStringList{"--silent"}, true, int(DoctorNoAnswer),
               all.mid(0, 5) + QStringList{"fix:"}, "did not answer within 3000 ms");
        addRow("good device", Node::Open, QStringList(), true, int(DoctorAllWell), all, "description: readable");
        // Root sees every process's open files.
        addRow("held open by another process", Node::HeldOpen, QStringList(), false, int(DoctorHeldOpen),
               QStringList{"node:", "owner:", "access:", "in", "fix:"}, "held open by process");
    }
    void checksInOrder()
    {
        QFETCH(Node, node);
        QFETCH(QStringList, devsim);
        SimulatedDevice device;
        QString path = QStringLiteral("/dev/usb/velmora-no-such-lp9");
        if (node != Node::Missing) {
            QVERIFY2(device.start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml"), devsim),
                     qPrintable(device.errorText()));
            // The terminal itself: the link lies in a folder only root may enter.
            path = QFileInfo(device.devicePath()).symLinkTarget();
            const QByteArray name = QFile::encodeName(path);
            if (node == Node::OtherUsers)
                QVERIFY(::chown(name.constData(), 1, 1) == 0 && ::chmod(name.constData(), 0600) == 0);
            else
                QVERIFY(::chmod(name.constData(), 0666) == 0);
        }
        ProgramRun holder;
        if (node == Node::HeldOpen) {
            holder.start(QStringLiteral("/bin/sh"), {"-c", "exec 3<>\"$0\"; echo held; exec sleep 60", path});
            QVERIFY(QTest::qWaitFor([&] { return holder.standardOutput().contains("held"); }, 10000));
        }

        QFETCH(bool, unprivileged);
        ProgramRun run(ProgramRun::displaylessEnvironment());
        const QString velmoractl = ProgramRun::stagedBinDir() + QStringLiteral("/velmoractl");
        if (unprivileged)
            run.start(QStringLiteral("setpriv"), {"--reuid=nobody", "--regid=nogroup", "--clear-groups", velmoractl,
                                                  "doctor", path});
        else
            run.start(velmoractl, {"doctor", path});
        QVERIFY(run.waitForExit(20000));
        const QString out = run.standardOutput();
        QStringList firstWords;
        for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            firstWords.append(line.section(QLatin1Char(' '), 0, 0));
        QFETCH(QStringList, lines);
        QVERIFY2(firstWords == lines, qPrintable(out + run.errorOutput()));
        QFETCH(QString, says);
        QVERIFY2(out.contains(says), qPrintable(out));
        QTEST(run.exitCode(), "status");
    }
};

QTEST_GUILESS_MAIN(TestDoctor)
#include "tst_doctor.moc"

// velmoractl as the system around it sees it: doctor, run by the user whose
// device does not work (without privileges: as root every node opens), and
// the bash completion, run as a shell user's Tab would run it. Both talk to
// the simulated sample device.
#include "common/datatable.h"
#include "common/programrun.h"
#include "common/simulateddevice.h"
#include "ctl/ctldoctor.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestCtlShell : public QObject
{
    Q_OBJECT
    // What bash offers for the line, the cursor at its end.
    QStringList complete(const QString &line)
    {
        QProcessEnvironment environment = ProgramRun::displaylessEnvironment();
        environment.insert("PATH", ProgramRun::stagedBinDir() + ':' + environment.value("PATH"));
        ProgramRun run(environment);
        const QString script = QStringLiteral(
            "source \"$0\"; COMP_LINE=$1; COMP_POINT=${#1}; read -r -a COMP_WORDS <<<\"$1\"; "
            "COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); [[ $1 == *' ' ]] && COMP_CWORD=${#COMP_WORDS[@]}; "
            "_velmoractl; printf '%s\\n' \"${COMPREPLY[@]}\"");
        run.start(QStringLiteral("bash"),
                  {"-c", script, QStringLiteral(VELMORA_SAMPLES_DIR "/../data/velmoractl.bash-completion"), line});
        (void)run.waitForExit(30000); // what a run cut short offered fails the comparison
        QStringList offered = run.standardOutput().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        offered.sort();
        return offered;
    }

private slots:
    void checksInOrder_data()
    {
        // devsim: its options (null: no node); mode: the node's; checks: lines before the fix
        addColumns<QStringList, int, int, int, QString>({"devsim", "mode", "status", "checks", "says"});
        addRow("missing node", QStringList(), 0, int(DoctorNoNode), 1, "does not exist");
        addRow("another user's node, mode 0600", QStringList{}, 0600, int(DoctorNoAccess), 3, "not in group");
        addRow("silent device", QStringList{"--silent"}, 0666, int(DoctorNoAnswer), 5, "within 3000 ms");
        addRow("good device", QStringList{}, 0666, int(DoctorAllWell), 6, "description: readable");
    }
    void checksInOrder()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("the runs as another user need root and setpriv");
        QFETCH(QStringList, devsim);
        QFETCH(int, mode);
        SimulatedDevice device;
        QString path = QStringLiteral("/dev/usb/velmora-no-such-lp9");
        if (mode != 0) {
            QVERIFY2(device.start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml"), devsim),
                     qPrintable(device.errorText()));
            // The terminal itself (the link lies in a folder only root may
            // enter), owned by daemon where only its owner may use it.
            path = QFileInfo(device.devicePath()).symLinkTarget();
            const QByteArray name = QFile::encodeName(path);
            QVERIFY(::chmod(name.constData(), mode_t(mode)) == 0 && (mode != 0600 || ::chown(name.constData(), 1, 1) == 0));
        }
        ProgramRun run(ProgramRun::displaylessEnvironment());
        run.start(QStringLiteral("setpriv"), {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                              ProgramRun::stagedBinDir() + "/velmoractl", "doctor", path});
        QVERIFY(run.waitForExit(20000));
        const QString out = run.standardOutput();
        QStringList firstWords;
        for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            firstWords.append(line.section(QLatin1Char(' '), 0, 0));
        // One line per check, in order, and the fix last.
        QFETCH(int, checks);
        const QStringList order{"node:", "owner:", "access:", "in", "answer:", "description:"};
        QVERIFY2(firstWords == order.mid(0, checks) + QStringList{"fix:"}, qPrintable(out + run.errorOutput()));
        QFETCH(QString, says);
        QVERIFY2(out.contains(says), qPrintable(out));
        QTEST(run.exitCode(), "status");
    }

    void offers_data()
    {
        // line: after "velmoractl <device> "; offered: what bash offers (sorted)
        addColumns<QString, QStringList>({"line", "offered"});
        addRow("commands", "", QStringList{"doctor", "export", "get", "import", "list", "press", "set"});
        addRow("ids of the device", "get Paper", QStringList{"PaperMismatchAlert", "PaperSize", "PaperSource"});
        addRow("ids to set, with their equals sign", "set Cop", QStringList{"Copies="});
        addRow("option values after the equals sign", "set PaperSize=Le", QStringList{"Legal", "Letter"});
    }
    void offers()
    {
        QFETCH(QString, line);
        SimulatedDevice device;
        QVERIFY2(device.start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml")), qPrintable(device.errorText()));
        QTEST(complete(QStringLiteral("velmoractl %1 %2").arg(device.devicePath(), line)), "offered");
    }
};

QTEST_GUILESS_MAIN(TestCtlShell)
#include "tst_ctlshell.moc"

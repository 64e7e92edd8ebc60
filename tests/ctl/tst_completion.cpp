// The bash completion of velmoractl, run by bash as a shell user's Tab would
// run it, with the staged velmoractl asking the simulated sample device.
#include "common/datatable.h"
#include "common/programrun.h"
#include "common/simulateddevice.h"

#include <QTest>

class TestCompletion : public QObject
{
    Q_OBJECT
    SimulatedDevice m_device;

    // What bash offers for the line, the cursor at its end.
    QStringList complete(const QString &line)
    {
        QProcessEnvironment environment = ProgramRun::displaylessEnvironment();
        environment.insert(QStringLiteral("PATH"),
                           ProgramRun::stagedBinDir() + QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
        ProgramRun run(environment);
        const QString script = QStringLiteral(
            "source \"$0\"; COMP_LINE=$1; COMP_POINT=${#1}; read -r -a COMP_WORDS <<<\"$1\"; "
            "COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); [[ $1 == *' ' ]] && COMP_CWORD=${#COMP_WORDS[@]}; "
            "_velmoractl; printf '%s\\n' \"${COMPREPLY[@]}\"");
        run.start(QStringLiteral("bash"),
                  {"-c", script, QStringLiteral(VELMORA_SAMPLES_DIR "/../data/velmoractl.bash-completion"), line});
        if (!run.waitForExit(30000))
            return {QStringLiteral("no end")};
        QStringList offered = run.standardOutput().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        offered.sort();
        return offered;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_device.start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml")),
                 qPrintable(m_device.errorText()));
    }

    void offers_data()
    {
        // line: after "velmoractl <device> "; offered: what bash offers (sorted)
        addColumns<QString, QStringList>({"line", "offered"});
        addRow("commands", "", QStringList{"doctor", "export", "get", "import", "list", "press", "set"});
        addRow("options", "list --d", QStringList{"--diff", "--dry-run"});
        addRow("ids of the device", "get Paper", QStringList{"PaperMismatchAlert", "PaperSize", "PaperSource"});
        addRow("ids to set, with their equals sign", "set Cop", QStringList{"Copies="});
        addRow("option values after the equals sign", "set PaperSize=Le", QStringList{"Legal", "Letter"});
    }
    void offers()
    {
        QFETCH(QString, line);
        QTEST(complete(QStringLiteral("velmoractl %1 %2").arg(m_device.devicePath(), line)), "offered");
    }
};

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"

#pragma once

#include "common/programrun.h"
#include "common/runtreecopy.h"

#include <QString>
#include <QStringList>

// The run tree the suite's velmoractl runs from: a private copy made on first
// use, because reading the device localizes its texts and writes the
// translation document back beside the program. The stage stays as built.
inline const RunTreeCopy &ctlRunTree()
{
    static const RunTreeCopy tree;
    return tree;
}

// One run of velmoractl with no display of any kind, as a script on a server
// would run it: its exit status and both outputs.
struct CtlRun
{
    ProgramRun run{ProgramRun::displaylessEnvironment()};
    int exitCode = -1;
    QString out;
    QString err;

    explicit CtlRun(const QStringList &arguments)
    {
        if (!ctlRunTree().isValid()) {
            err = QStringLiteral("no private copy of the run tree");
            return;
        }
        run.start(ctlRunTree().binDir() + QStringLiteral("/velmoractl"), arguments);
        if (run.waitForExit(30000) && run.exitStatus() == QProcess::NormalExit)
            exitCode = run.exitCode();
        out = run.standardOutput();
        err = run.errorOutput();
    }
};

// The description suites' sample device.
inline QString sampleDescription()
{
    return QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml");
}

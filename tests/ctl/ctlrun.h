#pragma once

#include "common/programrun.h"

#include <QString>
#include <QStringList>

// One run of velmoractl with no display of any kind, as a script on a server
// would run it: its exit status and both outputs. It runs from the stage
// itself: velmoractl writes no file (stage_compare holds it to that).
struct CtlRun
{
    ProgramRun run{ProgramRun::displaylessEnvironment()};
    int exitCode = -1;
    QString out;
    QString err;

    explicit CtlRun(const QStringList &arguments)
    {
        run.start(ProgramRun::stagedBinDir() + QStringLiteral("/velmoractl"), arguments);
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

#pragma once

#include <QRegularExpression>
#include <QTest>

// Makes the running test fail on a warning the program writes only for a
// fault of its own (a pointer that must be set was null), whichever step of
// the test caused it. Called from a suite's init().
inline void FailOnProgramFaults()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^In file .*: null pointer$")));
}

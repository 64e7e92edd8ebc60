#pragma once

#include <QtGlobal>

// The outcome of a timed block transfer.
struct IOResult
{
    bool result = false; // the whole block was transferred
    quint32 size = 0;    // bytes transferred
    quint32 elapsed = 0; // milliseconds spent (0 without a time limit)
};

#pragma once

#include <QtGlobal>

// A pointer that must not be null: a null one is a fault of the program, not
// of its input, so it is reported with its place in the source and the caller
// gives up on the step. Yields whether the pointer is set.
#define VELMORA_CHECK_PTR(p)                                                                                 \
    ((p) ? true : (qWarning("In file %s, line %d: null pointer", __FILE__, __LINE__), false))

#pragma once

#include <QtGlobal>

// The longest description the program accepts from a device: the length the
// device announces is untrusted and is checked before any memory is taken.
inline constexpr quint32 DescriptionLengthLimit = 64u * 1024u * 1024u;

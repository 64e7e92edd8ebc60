#pragma once

#include <QByteArray>
#include <QList>

// The raw maintenance commands of an ink-jet device. Each goes to the node
// after a run of zero bytes (see CommandSender); what the device does with
// them is its own business, only the bytes are fixed here.
namespace InkCommands {

QByteArray clean();
QByteArray printTestPage();
QByteArray printAlignmentPage();
QByteArray alignmentStart();
QByteArray printAlignmentPatterns();
QByteArray printVerificationPage();

// The "set" commands of the single-function alignment, one per pattern set
// 'A' to 'G', carrying the chosen pattern number as their last byte.
QByteArray set(char patternSet, quint8 value);

} // namespace InkCommands

#pragma once

#include <QString>

// Setting type numbers as stored in an element's type field. The numbers are
// fixed by the device description: 17 and 29 sit out of the sequence of the
// other control names, and 0 and 1 both mean "no usable type".
enum ElementType : int {
    stUnknown = 0,
    stUnnamed = 1, // the control name was present but empty
    stList = 2,
    stInteger = 3,
    stCheckbox = 4,
    stText = 5,
    stIPAddress = 6,
    stFloat = 7,
    stButton = 8,
    stGroup = 9,
    stForm = 10,
    stSlider = 11,
    stRadio = 12,
    stAbout = 13,
    stPhoneBook = 14,
    stEdit = 15,
    stEmailBook = 16,
    stSubnetMask = 17,
    stPaperSize = 18,
    stDialEdit = 19,
    stInkJetMaintenance = 20,
    stInkTestPagePrint = 21,
    stInkCartridgeClean = 22,
    stInkCartridgeAlignSFP = 23,
    stInkCartridgeAlignMFP = 24,
    stInkTestPagePrint_XML = 25,
    stInkCartridgeClean_XML = 26,
    stInkCartridgeAlignSFP_XML = 27,
    stInkCartridgeAlignMFP_XML = 28,
    stAddressBook = 29
};

// Maps a control keyword of the description (a "TYPE" value) to its type
// number, comparing exactly: an empty keyword (null included, as an absent
// attribute counts as empty) gives 1, "MAINTENANCE" 20, every control keyword
// its number and anything else 0.
[[nodiscard]] int ElementTypeFromKeyword(const QString &keyword);

// The "st..." name of a type number; 0, 1 and out-of-range numbers give "stUnknown".
[[nodiscard]] const char *ElementTypeName(int type);

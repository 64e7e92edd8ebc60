#pragma once

#include <QByteArray>
#include <QString>

class SettingsParser;

// What the fuzz targets do with one input, kept apart from libFuzzer so that
// the test run can replay the inputs that once made a target fail.

// Makes the process fit for fuzzing once the application object exists:
// trace and warnings dropped, message boxes answered, and a private working
// directory, since the parser reads its extra rules from there.
void SetUpFuzzing();

// The bytes as a description: parsed, then every setting's control made and
// removed in a panel, its rules and value checked, every change document and
// the three address-book texts written. True when the parse gave a tree.
bool FuzzDescription(const QByteArray &bytes);

// A fixed valid description plus the bytes as the extra dependency file.
bool FuzzDependencies(const QByteArray &bytes);

// A fixed valid description plus the bytes as the translation document of
// the fall-back language: the whole localization pass with the write-back
// into the private run tree. True when the document was used.
bool FuzzTranslation(const QByteArray &bytes);

// The bytes as what the device answers: a description fetched and a change
// document delivered through a scripted device (see ScriptedDevice). True
// when the description came.
bool FuzzDevice(const QByteArray &bytes);

// The work FuzzDescription does on an already parsed description; the
// stress tool runs it on its damaged copies too.
void ExerciseDescription(SettingsParser &parser);

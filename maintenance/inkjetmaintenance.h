#pragma once

class QWidget;

// The maintenance functions that write to the device themselves (direct
// mode). The device path is in the file system's encoding (QFile::encodeName):
// the same bytes name the same node as for the description.

// Prints the test page; shows nothing and always returns 0 (a command the
// device did not take is in the trace).
int PrintTestPage(const char *devPath);
// Run their wizard modally with the given parent and return its result.
int RunCartridgeClean(const char *devPath, QWidget *parent);
int RunCartridgeAlignSFP(bool photoInk, const char *devPath, QWidget *parent);
int RunCartridgeAlignMFP(const char *devPath, QWidget *parent);

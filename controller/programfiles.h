#pragma once

#include "model/aboutinfo.h"

#include <QString>

// The files of one device's controller: the installed read-only files,
// found relative to the program directory (<prefix>/share/velmora), and the
// files written for the user under the user's own folders (the save files
// named after the device); the version record and logo the About setting shows.
class ProgramFiles
{
public:
    ProgramFiles(const QString &programDir, const QString &devName);

    // Null when the program directory is unknown.
    [[nodiscard]] const QString &programDir() const { return m_programDir; }

    // A path relative to the program directory made absolute; a null path
    // gives the program directory. Null when the program directory is unknown.
    [[nodiscard]] QString resolvePath(const QString &relative) const;
    // An installed read-only file, relative to <prefix>/share/velmora.
    [[nodiscard]] QString sharePath(const QString &relative) const;
    // A file in the user's data folder, which is created when missing.
    [[nodiscard]] static QString userDataPath(const QString &name);
    // A file in the user's configuration folder, which is created when missing.
    [[nodiscard]] static QString userConfigPath(const QString &name);
    // A file written for the user about this device: the pattern's %1
    // becomes the device name.
    [[nodiscard]] QString saveFilePath(const char *pattern) const;

    // Puts the version file's first line into the trace, or why there is none.
    void logVersionBanner() const;
    [[nodiscard]] AboutInfo aboutInfo() const;

private:
    QString m_programDir;
    QString m_devName;
};

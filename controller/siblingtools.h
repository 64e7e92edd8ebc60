#pragma once

#include "controller/programfiles.h"

#include <QString>

class SettingsParser;

// The sibling address-book tools: each is looked up on PATH, then in its
// folder beside the program's own. Each gets the device path and a
// configuration file holding its part of the description, written to the
// user's configuration folder (<tool>.config, owner-only: it holds the
// device's phone and e-mail books).
class SiblingTools
{
public:
    enum Tool { PhoneBook, EmailBook, AddressBook };

    SiblingTools(const ProgramFiles &files, const QString &devPath);

    // Writes the tool's configuration file from the description in parser,
    // then starts the tool without waiting for it; true when it started.
    bool start(Tool tool, const SettingsParser &parser) const;

private:
    ProgramFiles m_files;
    QString m_devPath;
};

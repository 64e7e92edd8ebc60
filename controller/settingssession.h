#pragma once

#include "controller/programfiles.h"

#include <QString>

#include <memory>

class NodeDesc;
class SettingsParser;

// The settings tree of one controller. The session owns the parser, and the
// parser owns the tree built from the last description: a NodeDesc or
// Element pointer taken from it is good until the next load() or drop(), or
// the end of the session, and not a moment longer. Whoever points into the
// tree (the window, velmoractl's commands) lets go of every such pointer
// (rows, indexes, a shown control) before it asks for a load, takes the tree
// anew after it, and ends before the session does.
class SettingsSession
{
public:
    // saveLocalized: the localized document is written to the device's
    // vlm(<name>).xml in the user's data folder after every load.
    // collectMissingTexts: the keys no translation document holds are added
    // to the user's copy of the document.
    SettingsSession(const ProgramFiles &files, bool saveLocalized, bool collectMissingTexts = true);
    ~SettingsSession();

    SettingsSession(const SettingsSession &) = delete;
    SettingsSession &operator=(const SettingsSession &) = delete;

    // Ends the current tree; the parser is an empty one afterwards.
    void drop();
    // Builds a new tree from the description text, its titles, descriptions
    // and options in the system language, in place of the old one. The root,
    // or null when the text gave none (the parser then holds what parsing left).
    NodeDesc *load(const QString &text);

    // Never null; a pointer to it is good as long as one into the tree.
    [[nodiscard]] SettingsParser *parser() const { return m_pParser.get(); }

private:
    ProgramFiles m_files;
    bool m_saveLocalized = false;
    bool m_collectMissingTexts = true;
    std::unique_ptr<SettingsParser> m_pParser;
};

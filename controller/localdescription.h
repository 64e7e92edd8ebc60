#pragma once

#include "controller/iconfigurator.h"

#include <QString>

#include <memory>

class SettingsParser;

// Settings read from a description file on this machine, for showing a
// description in the settings window without a device or a controller
// (tests, screenshots, trying out a description).
class LocalDescription : public IConfigurator
{
public:
    explicit LocalDescription(const QString &path);
    ~LocalDescription() override;

    LocalDescription(const LocalDescription &) = delete;
    LocalDescription &operator=(const LocalDescription &) = delete;

    // The file is parsed on the first call; later calls return the same
    // tree, since a window may already point into it.
    NodeDesc *loadSettings() override;

    // The parser holding the tree, for finding settings by id; null before
    // the first loadSettings.
    [[nodiscard]] SettingsParser *parser() const { return m_pParser.get(); }

private:
    QString m_path;
    std::unique_ptr<SettingsParser> m_pParser;
};

#pragma once

#include <QString>
#include <QStringList>

// The command line exactly as the process received it, program path
// included, taken before the toolkit strips its own options. The option
// words are looked up here, so they count wherever they stand.
class AppSettings
{
public:
    AppSettings(int argc, const char *const *argv);
    virtual ~AppSettings();

    const QStringList &arguments() const { return m_arguments; }

    // True when some whole argument equals the word (case-sensitive).
    [[nodiscard]] bool contains(const QString &word) const;

private:
    QStringList m_arguments;
};

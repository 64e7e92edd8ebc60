#pragma once

#include <QString>
#include <QTemporaryDir>

// A private copy of the staged run tree (bin/, share/) for a test that
// writes files beside the program: save files, tool configuration files.
// The staged tree itself stays as built. The copy lies in a directory whose
// name holds blanks and quotes, so every path built from it is tested with them.
class RunTreeCopy
{
public:
    RunTreeCopy();
    RunTreeCopy(const RunTreeCopy &) = delete;
    RunTreeCopy &operator=(const RunTreeCopy &) = delete;

    [[nodiscard]] bool isValid() const { return m_valid; }
    // The directory holding bin/ and share/, and the program directory.
    [[nodiscard]] QString root() const { return m_root; }
    [[nodiscard]] QString binDir() const { return m_root + QStringLiteral("/bin"); }
    // A path below the directory that holds the tree (beside root()).
    [[nodiscard]] QString outside(const QString &relative) const;

    // Writes a file below root(), creating its directories; false on failure.
    bool write(const QString &relative, const QByteArray &content) const;

private:
    QTemporaryDir m_dir;
    QString m_root;
    bool m_valid = false;
};

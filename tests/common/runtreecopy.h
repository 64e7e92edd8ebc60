#pragma once

#include <QString>
#include <QTemporaryDir>

// A private copy of the staged run tree (bin/, share/velmora/) for a test
// that changes installed files, with private user folders: while the copy
// lives, XDG_DATA_HOME and XDG_CONFIG_HOME name empty folders of its own, so
// save files, tool configuration and translation entries land there (and
// in no other test's). The staged tree itself stays as built. The copy lies
// in a directory whose name holds blanks and quotes, so every path built
// from it is tested with them.
class RunTreeCopy
{
public:
    RunTreeCopy();
    ~RunTreeCopy();
    RunTreeCopy(const RunTreeCopy &) = delete;
    RunTreeCopy &operator=(const RunTreeCopy &) = delete;

    [[nodiscard]] bool isValid() const { return m_valid; }
    // The directory holding bin/ and share/, and the program directory.
    [[nodiscard]] QString root() const { return m_root; }
    [[nodiscard]] QString binDir() const { return m_root + QStringLiteral("/bin"); }
    [[nodiscard]] QString shareDir() const { return m_root + QStringLiteral("/share/velmora"); }
    // The program's folders in the private user folders (made on first write).
    [[nodiscard]] QString dataDir() const { return outside(QStringLiteral("home/data/velmora")); }
    [[nodiscard]] QString configDir() const { return outside(QStringLiteral("home/config/velmora")); }
    // Puts a file into dataDir(), creating it; false on failure.
    bool writeData(const QString &name, const QByteArray &content) const;
    // A path below the directory that holds the tree (beside root()).
    [[nodiscard]] QString outside(const QString &relative) const;

    // Writes a file below root(), creating its directories; false on failure.
    bool write(const QString &relative, const QByteArray &content) const;

private:
    QTemporaryDir m_dir;
    QString m_root;
    bool m_valid = false;
    QByteArray m_savedData = qgetenv("XDG_DATA_HOME");
    QByteArray m_savedConfig = qgetenv("XDG_CONFIG_HOME");
};

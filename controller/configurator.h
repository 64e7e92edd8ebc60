#pragma once

#include "controller/iconfigurator.h"
#include "device/linkfailure.h"
#include "model/aboutinfo.h"

#include <QObject>
#include <QString>

#include <memory>

class NodeDesc;
class SettingsParser;

// The application controller: gets the description from the device (or a
// file beside the program), keeps the settings model built from it, sends
// changes back to the device and starts the sibling address-book tools.
// Every path it uses is taken relative to the program directory.
class Configurator : public QObject, public IConfigurator
{
    Q_OBJECT
public:
    // Read poll interval and whole-exchange budget of every device exchange.
    static constexpr int ReadPollMicroseconds = 200;
    static constexpr quint32 CommandTimeoutMs = 3000;

    Configurator(const QString &programDir, const QString &devPath, const QString &devName, bool useLocal,
                 bool saveSent, bool saveDescription, bool saveLocalized);
    ~Configurator() override;

    // A path relative to the program directory made absolute; a null path
    // gives the program directory. Null when the program directory is unknown.
    [[nodiscard]] QString resolvePath(const QString &relative) const;

    // The description text from the file or the device; empty on failure.
    [[nodiscard]] QString readDescription();
    [[nodiscard]] AboutInfo aboutInfo() const;

    // Reads and parses the description again, replacing the previous tree.
    NodeDesc *loadSettings() override;
    QString lastFailure() const override { return m_failure; }
    // The parser holding the current tree, for finding settings by id.
    [[nodiscard]] SettingsParser *parser() const { return m_pParser.get(); }

public slots:
    bool applySettings(const QString &id) override;
    bool phoneBookStart() override;
    bool emailBookStart() override;
    bool addressBookStart() override;
    // The maintenance functions: with an empty id on the device directly,
    // otherwise through the maintenance setting of that id (see
    // configuratormaintenance.cpp).
    void ijTestPagePrint(QWidget *parent, const ApplyCallback &apply, const QString &id = QString()) override;
    void ijCartridgeClean(QWidget *parent, const ApplyCallback &apply,
                          const QString &id = QString()) override;
    void ijCartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                             const QString &id = QString()) override;
    int ijCartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply,
                            const QString &id = QString()) override;

private:
    struct SiblingTool;
    bool startTool(const SiblingTool &tool);
    void logVersionBanner() const;
    // Why a description text gave no settings, for the user.
    [[nodiscard]] QString descriptionProblem(const QString &text) const;
    [[nodiscard]] QString linkProblem(const LinkFailure &failure) const;
    [[nodiscard]] QString saveFilePath(const char *pattern) const;

    std::unique_ptr<SettingsParser> m_pParser;
    QString m_programDir;
    QString m_devPath;
    QString m_devName;
    bool m_useLocal = false;
    bool m_saveSent = false;
    bool m_saveDescription = false;
    bool m_saveLocalized = false;
    QString m_failure;
};

#pragma once

#include "controller/changesender.h"
#include "controller/descriptionsource.h"
#include "controller/iconfigurator.h"
#include "controller/maintenancelauncher.h"
#include "controller/programfiles.h"
#include "controller/settingssession.h"
#include "controller/siblingtools.h"
#include "model/aboutinfo.h"

#include <QObject>
#include <QString>

class NodeDesc;
class SettingsParser;

// The application controller: gets the description from the device (or a
// file in the user's data folder), keeps the settings model built from it, sends
// changes back to the device and starts the sibling address-book tools.
// Installed files are found relative to the program directory, written
// ones go to the user's folders (see ProgramFiles). Each of
// those jobs is a piece of its own; the controller holds them together and
// keeps the reason of the last failure.
//
// The controller owns the settings tree, through its session, for as long
// as it lives: a window or a command that shows or uses the settings must
// let go of every pointer into the tree before it calls loadSettings() again
// (which frees the old tree first) and must end before the controller does.
class Configurator : public QObject, public IConfigurator
{
    Q_OBJECT
public:
    Configurator(const QString &programDir, const QString &devPath, const QString &devName, bool useLocal,
                 bool saveSent, bool saveDescription, bool saveLocalized, bool collectMissingTexts = true);
    ~Configurator() override;

    // Installed paths and the About information (see ProgramFiles).
    [[nodiscard]] QString resolvePath(const QString &relative) const { return m_files.resolvePath(relative); }
    [[nodiscard]] AboutInfo aboutInfo() const { return m_files.aboutInfo(); }

    // Work that goes on while a fetch waits for the device (see
    // DescriptionSource::setWaitWork).
    void setWaitWork(std::function<void()> work) { m_source.setWaitWork(std::move(work)); }

    // The description text from the file or the device; empty with
    // lastFailure() saying why.
    [[nodiscard]] QString readDescription();

    // Reads and parses the description again, replacing the previous tree
    // (see SettingsSession for how long pointers into it are good).
    NodeDesc *loadSettings() override;
    QString lastFailure() const override { return m_failure; }
    // The last read or send failed because another program held the device.
    [[nodiscard]] bool deviceBusy() const { return m_deviceBusy; }
    // The parser holding the current tree, for finding settings by id; never null.
    [[nodiscard]] SettingsParser *parser() const { return m_session.parser(); }

public slots:
    bool applySettings(const QString &id) override;
    bool phoneBookStart() override;
    bool emailBookStart() override;
    bool addressBookStart() override;
    // The maintenance functions: with an empty id on the device directly,
    // otherwise through the maintenance setting of that id (see MaintenanceLauncher).
    void ijTestPagePrint(QWidget *parent, const ApplyCallback &apply, const QString &id = QString()) override;
    void ijCartridgeClean(QWidget *parent, const ApplyCallback &apply,
                          const QString &id = QString()) override;
    void ijCartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                             const QString &id = QString()) override;
    int ijCartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply,
                            const QString &id = QString()) override;

private:
    // First: the pieces below are built from it.
    ProgramFiles m_files;
    MaintenanceLauncher m_maintenance;
    DescriptionSource m_source;
    SettingsSession m_session;
    ChangeSender m_sender;
    SiblingTools m_tools;
    QString m_failure;
    bool m_deviceBusy = false;
};

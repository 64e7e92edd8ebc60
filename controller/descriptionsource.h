#pragma once

#include "controller/programfiles.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

struct LinkFailure;
class SettingsParser;

// Where the description text comes from: the file vlm.xml in the user's data folder
// or the device itself. When no text can be had, or the text gives no
// settings, the source says why in one sentence the user can act on.
class DescriptionSource
{
    // The texts are the controller's: the catalogues keep them under its name.
    Q_DECLARE_TR_FUNCTIONS(Configurator)

public:
    // keepCopy: every text read is also written, as received, to the
    // device's vlm(<name>).xml in the user's data folder.
    DescriptionSource(const ProgramFiles &files, const QString &devPath, bool useLocal, bool keepCopy);

    // Work that must go on while a fetch blocks the program's one thread:
    // it runs before every read of a reply (each poll interval while the
    // reply is awaited). It must be quick and leave the device alone.
    void setWaitWork(std::function<void()> work) { m_waitWork = std::move(work); }

    // The description text; empty with failure() saying why.
    [[nodiscard]] QString read();
    // Why the last read failed; empty after a clean one. A device that
    // failed after handing over some text leaves both the text and the reason.
    [[nodiscard]] const QString &failure() const { return m_failure; }
    // The last read failed because another program held the device.
    [[nodiscard]] bool deviceBusy() const { return m_deviceBusy; }

    // Why a text that was read gave no settings tree, parser being what
    // parsing it left behind.
    [[nodiscard]] static QString descriptionProblem(const QString &text, const SettingsParser &parser);

private:
    [[nodiscard]] QString readFile();
    [[nodiscard]] QString readDevice();
    [[nodiscard]] QString linkProblem(const LinkFailure &failure) const;

    ProgramFiles m_files;
    QString m_devPath;
    bool m_useLocal = false;
    bool m_keepCopy = false;
    QString m_failure;
    std::function<void()> m_waitWork;
    bool m_deviceBusy = false;
};

#pragma once

#include "controller/programfiles.h"

#include <QString>

// Apply: hands one change document to the device. The document is one the
// settings session wrote: every changed setting, one pop-up form's changes
// or one button's press.
class ChangeSender
{
public:
    // saveSent: every document handed over, an empty one too, is also
    // written to the device's vlm_send(<name>).xml in the user's data folder.
    ChangeSender(const ProgramFiles &files, const QString &devPath, bool saveSent);

    // True when the device took the document. False with failure() saying
    // why when it did not; false with an empty failure() for an empty
    // document, since nothing to send is no failure.
    [[nodiscard]] bool send(const QString &changes);
    [[nodiscard]] const QString &failure() const { return m_failure; }
    // The last document was not sent because another program held the device.
    [[nodiscard]] bool deviceBusy() const { return m_deviceBusy; }

private:
    ProgramFiles m_files;
    QString m_devPath;
    bool m_saveSent = false;
    QString m_failure;
    bool m_deviceBusy = false;
};

#include "controller/changesender.h"

#include "base/busycursor.h"
#include "base/savetext.h"
#include "controller/devicebudget.h"

ChangeSender::ChangeSender(const ProgramFiles &files, const QString &devPath, bool saveSent)
    : m_files(files), m_devPath(devPath), m_saveSent(saveSent)
{}

bool ChangeSender::send(const QString &changes)
{
    m_failure.clear();
    m_deviceBusy = false;
    if (m_saveSent)
        (void)SaveText(m_files.saveFilePath("vlm_send(%1).xml"), changes);
    if (changes.isEmpty())
        return false;
    const BusyCursor busy;
    VLMClient client(m_devPath);
    DeviceBudget::applyTo(client);
    const bool accepted = client.setChanges(changes);
    if (!accepted)
        m_failure = client.lastFailure().text();
    m_deviceBusy = client.lastFailure().kind == LinkFailure::Busy;
    return accepted;
}

#include "controller/configurator.h"

#include "model/settingsparser.h"

Configurator::Configurator(const QString &programDir, const QString &devPath, const QString &devName,
                           bool useLocal, bool saveSent, bool saveDescription, bool saveLocalized,
                           bool collectMissingTexts)
    : m_files(programDir, devName), m_maintenance(devPath),
      m_source(m_files, devPath, useLocal, saveDescription), m_session(m_files, saveLocalized, collectMissingTexts),
      m_sender(m_files, devPath, saveSent), m_tools(m_files, devPath)
{
    m_files.logVersionBanner();
}

Configurator::~Configurator() = default;

QString Configurator::readDescription()
{
    const QString text = m_source.read();
    m_failure = m_source.failure();
    m_deviceBusy = m_source.deviceBusy();
    return text;
}

NodeDesc *Configurator::loadSettings()
{
    // The old tree goes before the read: a failed read leaves none behind.
    m_session.drop();
    const QString text = readDescription();
    if (text.isEmpty())
        return nullptr;
    NodeDesc *root = m_session.load(text);
    if (!root)
        m_failure = DescriptionSource::descriptionProblem(text, *m_session.parser());
    return root;
}

bool Configurator::applySettings(const QString &id)
{
    const bool accepted = m_sender.send(m_session.parser()->getChanges(id));
    m_failure = m_sender.failure();
    m_deviceBusy = m_sender.deviceBusy();
    return accepted;
}

bool Configurator::phoneBookStart()
{
    return m_tools.start(SiblingTools::PhoneBook, *m_session.parser());
}

bool Configurator::emailBookStart()
{
    return m_tools.start(SiblingTools::EmailBook, *m_session.parser());
}

bool Configurator::addressBookStart()
{
    return m_tools.start(SiblingTools::AddressBook, *m_session.parser());
}

void Configurator::ijTestPagePrint(QWidget *parent, const ApplyCallback &apply, const QString &id)
{
    Q_UNUSED(parent) // the test page needs no wizard
    m_maintenance.testPagePrint(apply, id);
}

void Configurator::ijCartridgeClean(QWidget *parent, const ApplyCallback &apply, const QString &id)
{
    m_maintenance.cartridgeClean(parent, apply, id);
}

void Configurator::ijCartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                                       const QString &id)
{
    m_maintenance.cartridgeAlignSFP(photoInk, parent, apply, id);
}

int Configurator::ijCartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply, const QString &id)
{
    return m_maintenance.cartridgeAlignMFP(parent, apply, id);
}

#include "controller/settingssession.h"

#include "base/programpaths.h"
#include "i18n/localization.h"
#include "model/settingsparser.h"

SettingsSession::SettingsSession(const ProgramFiles &files, bool saveLocalized, bool collectMissingTexts)
    : m_files(files), m_saveLocalized(saveLocalized), m_collectMissingTexts(collectMissingTexts),
      m_pParser(std::make_unique<SettingsParser>())
{}

SettingsSession::~SettingsSession() = default;

void SettingsSession::drop()
{
    // A new parser rather than a cleared one: nothing of an earlier read
    // survives a later one.
    m_pParser = std::make_unique<SettingsParser>();
}

NodeDesc *SettingsSession::load(const QString &text)
{
    drop();
    m_pParser->setAboutInfo(m_files.aboutInfo());
    m_pParser->setContent(text);
    (void)m_pParser->parse();

    // Localized before the localized document is saved.
    (void)LocalizeSettings(*m_pParser, m_files.programDir(),
                           m_collectMissingTexts ? UserDataDir() : QString());
    if (m_saveLocalized)
        (void)m_pParser->save(m_files.saveFilePath("vlm(%1).xml"));
    return m_pParser->root();
}

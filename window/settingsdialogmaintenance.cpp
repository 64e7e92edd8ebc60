#include "window/settingsdialog.h"

#include "base/debuglog.h"
#include "controller/iconfigurator.h"
#include "model/elementtype.h"
#include "model/inkcartridgealignsfpelement.h"
#include "window/settingsactions.h"

// The buttons whose work is the controller's. The address books are its
// tools. Each maintenance button hands its press to the controller, which
// opens the wizard (modal to this window) or applies the setting. The
// element's id goes along only for the type that names a maintenance setting
// of the description; the other type of the same button is handled by the
// program itself and gets an empty id.

namespace {

// The element behind a maintenance press, or null when there is none or it
// is not of the class the slot serves; a wrong connection is a fault of the
// program, reported as a failed assertion would be.
Element *pressedBy(QObject *o, const char *className, int line)
{
    if (!o) {
        qWarning("ASSERT: \"%s\" in %s (%d)", "o", __FILE__, line);
        return nullptr;
    }
    if (qstrcmp(o->metaObject()->className(), className) != 0) {
        const QByteArray condition = QByteArray("o->className() == QString(\"") + className + "\")";
        qWarning("ASSERT: \"%s\" in %s (%d)", condition.constData(), __FILE__, line);
        return nullptr;
    }
    return qobject_cast<Element *>(o);
}

QString maintenanceId(const Element *element, int settingType, const QString &id)
{
    return element->type() == settingType ? id : QStringLiteral("");
}

} // namespace

// The element's id is of no use to the address-book tools.
void SettingsDialog::phoneBookClicked(const QString &)
{
    if (m_pConfigurator)
        (void)m_pConfigurator->phoneBookStart();
}

void SettingsDialog::emailBookClicked(const QString &)
{
    if (m_pConfigurator)
        (void)m_pConfigurator->emailBookStart();
}

void SettingsDialog::addressBookClicked(const QString &)
{
    if (m_pConfigurator)
        (void)m_pConfigurator->addressBookStart();
}

IConfigurator::ApplyCallback SettingsDialog::applyThroughWindow()
{
    return [this](const QString &id, QString *reason) {
        // Without a place for the reason the press is the window's own, box
        // and all, as a plain device button's.
        if (!reason)
            return m_actions->apply(id, this);
        return m_actions->send(id, reason);
    };
}

void SettingsDialog::inkTestPagePrintClicked(const QString &id)
{
    DebugLog("SettingsDialog::inkTestPagePrintClicked");
    const Element *element = pressedBy(sender(), "InkTestPagePrintElement", __LINE__);
    if (element && m_pConfigurator)
        m_pConfigurator->ijTestPagePrint(this, applyThroughWindow(),
                                         maintenanceId(element, stInkTestPagePrint_XML, id));
}

void SettingsDialog::inkCartridgeCleanClicked(const QString &id)
{
    DebugLog("SettingsDialog::inkCartridgeCleanClicked");
    const Element *element = pressedBy(sender(), "InkCartridgeCleanElement", __LINE__);
    if (element && m_pConfigurator)
        m_pConfigurator->ijCartridgeClean(this, applyThroughWindow(),
                                          maintenanceId(element, stInkCartridgeClean_XML, id));
}

void SettingsDialog::inkCartridgeAlignSFPClicked(const QString &id)
{
    DebugLog("SettingsDialog::inkCartridgeAlignSFPClicked");
    const auto *element = qobject_cast<InkCartridgeAlignSFPElement *>(
        pressedBy(sender(), "InkCartridgeAlignSFPElement", __LINE__));
    if (element && m_pConfigurator)
        m_pConfigurator->ijCartridgeAlignSFP(element->hasPhotoInk(), this, applyThroughWindow(),
                                             maintenanceId(element, stInkCartridgeAlignSFP_XML, id));
}

void SettingsDialog::inkCartridgeAlignMFPClicked(const QString &id)
{
    DebugLog("SettingsDialog::inkCartridgeAlignMFPClicked");
    const Element *element = pressedBy(sender(), "InkCartridgeAlignMFPElement", __LINE__);
    if (element && m_pConfigurator)
        (void)m_pConfigurator->ijCartridgeAlignMFP(this, applyThroughWindow(),
                                                   maintenanceId(element, stInkCartridgeAlignMFP_XML, id));
}

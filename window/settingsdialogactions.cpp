#include "window/settingsdialog.h"

// The actions on the settings as a whole and the hand-over of button presses
// to the application controller. Until the controller takes them, each only
// reports that nothing happens, as the form's own slots do.

void SettingsDialog::buttonClicked(const QString &id)
{
    qWarning("SettingsDialog::buttonClicked(%s): Not implemented yet!", qPrintable(id));
}

void SettingsDialog::popupApplyClicked()
{
    qWarning("SettingsDialog::popupApplyClicked(): Not implemented yet!");
}

void SettingsDialog::phoneBookClicked(const QString &)
{
    qWarning("SettingsDialog::phoneBookClicked(): Not implemented yet!");
}

void SettingsDialog::emailBookClicked(const QString &)
{
    qWarning("SettingsDialog::emailBookClicked(): Not implemented yet!");
}

void SettingsDialog::addressBookClicked(const QString &)
{
    qWarning("SettingsDialog::addressBookClicked(): Not implemented yet!");
}

void SettingsDialog::inkTestPagePrintClicked(const QString &)
{
    qWarning("SettingsDialog::inkTestPagePrintClicked(): Not implemented yet!");
}

void SettingsDialog::inkCartridgeCleanClicked(const QString &)
{
    qWarning("SettingsDialog::inkCartridgeCleanClicked(): Not implemented yet!");
}

void SettingsDialog::inkCartridgeAlignSFPClicked(const QString &)
{
    qWarning("SettingsDialog::inkCartridgeAlignSFPClicked(): Not implemented yet!");
}

void SettingsDialog::inkCartridgeAlignMFPClicked(const QString &)
{
    qWarning("SettingsDialog::inkCartridgeAlignMFPClicked(): Not implemented yet!");
}

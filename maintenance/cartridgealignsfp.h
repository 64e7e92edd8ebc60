#pragma once

#include "maintenance/maintenancewizard.h"

class QSpinBox;

// The single-function alignment wizard: the offer to align, the printed
// pattern sets with a spin box per set for the best pattern, and the
// verification page. "Align" prints the pattern sets (the first time in a
// run after the alignment start command), the user picks the best pattern of
// each set, "Continue" sends the choices and prints the verification page,
// whose "Align" starts over from the first page. With an empty id the wizard
// writes every command itself; with the id of a maintenance setting the
// pattern page is printed by applying that setting (see setSettingApplier)
// and the rest is still written directly. The pattern page is asked for
// only once the device has taken the start command.
class CartridgeAlignSFP : public MaintenanceWizard
{
    Q_OBJECT
public:
    CartridgeAlignSFP(bool photoInk, const char *devPath, const QString &id, QWidget *parent = nullptr,
                      const char *name = nullptr);

    // The best pattern of each set, 'A' to 'G'; F and G only with photo ink.
    // Owned through the Qt parent.
    QSpinBox *sbA;
    QSpinBox *sbB;
    QSpinBox *sbC;
    QSpinBox *sbD;
    QSpinBox *sbE;
    QSpinBox *sbF;
    QSpinBox *sbG;

protected:
    void initializePage(int id) override;

protected slots:
    // The verification page's "Align": back to the first page, so the
    // pattern page is reached again only through the first page's "Align".
    // QWizard::back() is not virtual, so this is a slot of its own on the
    // row's custom button rather than an override.
    void back();

private:
    void addPatternPage();
    void printPatterns();
    void sendChoices();

    bool m_firstPatternPage = true;
    bool m_photoInk;
};

#pragma once

#include "maintenance/cartridgealignsfpbase.h"
#include "maintenance/commandsender.h"

class CommandStatusLabel;

// The single-function alignment wizard. "Align" prints the pattern sets
// (the first time in a run after the alignment start command), the user
// picks the best pattern of each set, "Continue" sends the choices and
// prints the verification page, whose "Align" starts over from the first
// page. With an empty id the wizard writes every command itself; with the
// id of a maintenance setting the pattern page is printed by applying that
// setting (alignmentRequested) and the rest is still written directly.
class CartridgeAlignSFP : public CartridgeAlignSFPBase
{
    Q_OBJECT
public:
    CartridgeAlignSFP(bool photoInk, const char *devPath, const QString &id, QWidget *parent = nullptr,
                      const char *name = nullptr);

protected:
    void initializePage(int id) override;

protected slots:
    // The verification page's "Align": back to the first page, so the
    // pattern page is reached again only through the first page's "Align".
    // QWizard::back() is not virtual, so this is a slot of its own on the
    // row's custom button rather than an override.
    void back();

private:
    void showPage(int id);
    void printPatterns();
    void sendChoices();

    QString m_devPath;
    QString m_id;
    bool m_firstPatternPage = true;
    bool m_photoInk;
    CommandSender m_sender;
    CommandStatusLabel *m_pPatternStatus;
    CommandStatusLabel *m_pVerifyStatus;
};

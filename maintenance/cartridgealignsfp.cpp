#include "maintenance/cartridgealignsfp.h"

#include "base/debuglog.h"
#include "maintenance/buttonrow.h"
#include "maintenance/commandstatuslabel.h"
#include "maintenance/inkcommands.h"

#include <QAbstractButton>
#include <QSpinBox>
#include <QWizardPage>

namespace {
enum { OfferPage, PatternPage, VerifyPage };
// The verification page's "Align" stands where Back stands on other wizards.
constexpr QWizard::WizardButton AlignButton = QWizard::CustomButton1;
} // namespace

CartridgeAlignSFP::CartridgeAlignSFP(bool photoInk, const char *devPath, const QString &id, QWidget *parent,
                                     const char *name)
    : CartridgeAlignSFPBase(parent, name), m_devPath(QString::fromLatin1(devPath)), m_id(id),
      m_photoInk(photoInk), m_sender(m_devPath),
      m_pPatternStatus(CommandStatusLabel::addTo(page(PatternPage))),
      m_pVerifyStatus(CommandStatusLabel::addTo(page(VerifyPage)))
{
    page(OfferPage)->setButtonText(NextButton, tr("Align"));
    page(PatternPage)->setButtonText(NextButton, tr("Continue"));
    page(VerifyPage)->setButtonText(FinishButton, tr("Done"));
    setButtonText(AlignButton, tr("Align"));
    connect(button(AlignButton), &QAbstractButton::clicked, this, &CartridgeAlignSFP::back);
    sbF->setVisible(photoInk);
    sbG->setVisible(photoInk);
    connect(this, &QWizard::currentIdChanged, this, &CartridgeAlignSFP::showPage);
    showPage(OfferPage);
}

void CartridgeAlignSFP::showPage(int id)
{
    if (id == VerifyPage)
        SetButtonRow(this, {AlignButton, FinishButton});
    else
        SetButtonRow(this, {NextButton, CancelButton});
}

void CartridgeAlignSFP::initializePage(int id)
{
    CartridgeAlignSFPBase::initializePage(id);
    if (id == PatternPage)
        printPatterns();
    else if (id == VerifyPage)
        sendChoices();
}

void CartridgeAlignSFP::printPatterns()
{
    DebugLog("CartridgeAlignSFP: pattern page (%s)", m_id.isEmpty() ? "direct" : qPrintable(m_id));
    bool sent = true;
    if (m_firstPatternPage) {
        // Kept set while the device has not taken it, so the next round tries again.
        sent = m_sender.send(InkCommands::alignmentStart());
        m_firstPatternPage = !sent;
    }
    if (!m_id.isEmpty())
        emit alignmentRequested(m_id);
    else if (sent)
        sent = m_sender.send(InkCommands::printAlignmentPatterns());
    m_pPatternStatus->report(sent, m_sender);
}

void CartridgeAlignSFP::sendChoices()
{
    QList<QPair<char, QSpinBox *>> sets{{'A', sbA}, {'B', sbB}, {'C', sbC}, {'D', sbD}, {'E', sbE}};
    if (m_photoInk)
        sets += {{'F', sbF}, {'G', sbG}};
    QList<QByteArray> commands;
    for (const auto &set : sets)
        commands.append(InkCommands::set(set.first, quint8(set.second->value())));
    commands.append(InkCommands::printVerificationPage());
    DebugLog("CartridgeAlignSFP: verification page, %d pattern sets", int(sets.size()));
    m_pVerifyStatus->report(m_sender.sendAll(commands), m_sender);
}

void CartridgeAlignSFP::back()
{
    // restart() forgets the pages visited; the spin boxes keep their values.
    restart();
}

#include "maintenance/cartridgealignmfp.h"

#include "base/debuglog.h"
#include "maintenance/buttonrow.h"
#include "maintenance/commandstatuslabel.h"
#include "maintenance/inkcommands.h"

#include <QPushButton>
#include <QWizardPage>

namespace {
enum { PrintPage, ScanPage };
// The "Print Page" button takes the place of Back in the row.
constexpr QWizard::WizardButton PrintPageButton = QWizard::CustomButton1;
} // namespace

CartridgeAlignMFP::CartridgeAlignMFP(const char *devPath, const QString &id, QWidget *parent,
                                     const char *name)
    : CartridgeAlignMFPBase(parent, name), m_devPath(QString::fromLatin1(devPath)), m_id(id),
      m_pPrintPageBtn(new QPushButton(tr("Print Page"), this)), m_sender(m_devPath),
      m_pStatus(CommandStatusLabel::addTo(page(PrintPage)))
{
    m_pPrintPageBtn->setObjectName(QStringLiteral("printPageBtn"));
    setButton(PrintPageButton, m_pPrintPageBtn);
    connect(m_pPrintPageBtn, &QPushButton::clicked, this, &CartridgeAlignMFP::printPage);
    page(PrintPage)->setButtonText(NextButton, tr("Continue"));
    page(ScanPage)->setButtonText(FinishButton, tr("Done"));
    connect(this, &QWizard::currentIdChanged, this, &CartridgeAlignMFP::showPage);
    showPage(PrintPage);
}

void CartridgeAlignMFP::showPage(int id)
{
    if (id == ScanPage)
        SetButtonRow(this, {FinishButton});
    else
        SetButtonRow(this, {PrintPageButton, NextButton, CancelButton});
}

void CartridgeAlignMFP::printPage()
{
    DebugLog("CartridgeAlignMFP::printPage() (%s)", m_id.isEmpty() ? "direct" : qPrintable(m_id));
    if (m_id.isEmpty())
        m_pStatus->report(m_sender.send(InkCommands::printAlignmentPage()), m_sender);
    else
        emit alignmentRequested(m_id);
}

#include "maintenance/cartridgeclean.h"

#include "base/debuglog.h"
#include "maintenance/buttonrow.h"
#include "maintenance/commandstatuslabel.h"
#include "maintenance/inkcommands.h"

#include <QWizardPage>

namespace {
enum { OfferPage, CleaningPage };
}

CartridgeClean::CartridgeClean(const char *devPath, const QString &id, QWidget *parent, const char *name)
    : CartridgeCleanBase(parent, name), m_devPath(QString::fromLatin1(devPath)), m_id(id),
      m_sender(m_devPath), m_pStatus(CommandStatusLabel::addTo(page(CleaningPage)))
{
    page(OfferPage)->setButtonText(NextButton, tr("Clean"));
    page(CleaningPage)->setButtonText(BackButton, tr("Clean Again"));
    page(CleaningPage)->setButtonText(FinishButton, tr("Done"));
    connect(this, &QWizard::currentIdChanged, this, &CartridgeClean::showPage);
    showPage(OfferPage);
}

void CartridgeClean::showPage(int id)
{
    if (id == CleaningPage)
        SetButtonRow(this, {BackButton, FinishButton});
    else
        SetButtonRow(this, {NextButton, CancelButton});
}

void CartridgeClean::initializePage(int id)
{
    CartridgeCleanBase::initializePage(id);
    if (id != CleaningPage)
        return;
    DebugLog("CartridgeClean: cleaning (%s)", m_id.isEmpty() ? "direct" : qPrintable(m_id));
    if (m_id.isEmpty())
        m_pStatus->report(m_sender.send(InkCommands::clean()), m_sender);
    else
        emit cleaningRequested(m_id);
}

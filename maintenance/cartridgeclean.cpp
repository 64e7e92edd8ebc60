#include "maintenance/cartridgeclean.h"

#include "base/debuglog.h"
#include "maintenance/inkcommands.h"

#include <QWizardPage>

namespace {
enum { OfferPage, CleaningPage };
}

CartridgeClean::CartridgeClean(const char *devPath, const QString &id, QWidget *parent, const char *name)
    : MaintenanceWizard({"CartridgeCleanBase",
                         QT_TRANSLATE_NOOP("CartridgeCleanBase", "Ink Cartridge Clean"),
                         QT_TRANSLATE_NOOP("CartridgeCleanBase", "Page"),
                         {536, 409}},
                        devPath, id, parent, name)
{
    addPicturePage(
        "WizardPage", "Frame1", {"PixmapLabel1", "Ink_CleanPage.png"},
        {{"TextLabel2",
          QT_TRANSLATE_NOOP("CartridgeCleanBase", "If your printed output is streaked like the example on "
                                                  "the left, the print cartridges need to be cleaned. This "
                                                  "takes about some minutes and uses one sheet of paper.")},
         {"TextLabel3",
          QT_TRANSLATE_NOOP("CartridgeCleanBase", "Click Clean to clean the print cartridges now.")}},
        {NextButton, CancelButton});
    addPicturePage(
        "WizardPage_2", "Frame2", {"PixmapLabel2", "Ink_Cleaning.png"},
        {{"TextLabel5",
          QT_TRANSLATE_NOOP("CartridgeCleanBase",
                            "A page is printing that shows the results of this stage of cleaning.")},
         {"TextLabel6",
          QT_TRANSLATE_NOOP("CartridgeCleanBase", "If the print quality looks good, click Done.")},
         {"TextLabel7",
          QT_TRANSLATE_NOOP("CartridgeCleanBase",
                            "Otherwise, click Clean Again to clean the print cartridges again. If "
                            "that does not fix the problem, replace the print cartridges.")}},
        {BackButton, FinishButton});
    page(OfferPage)->setButtonText(NextButton, tr("Clean"));
    page(CleaningPage)->setButtonText(BackButton, tr("Clean Again"));
    page(CleaningPage)->setButtonText(FinishButton, tr("Done"));
}

void CartridgeClean::initializePage(int id)
{
    MaintenanceWizard::initializePage(id);
    if (id != CleaningPage)
        return;
    DebugLog("CartridgeClean: cleaning (%s)", qPrintable(modeName()));
    if (isDirect())
        sendFromPage(CleaningPage, {InkCommands::clean()});
    else
        applyFromPage(CleaningPage);
}

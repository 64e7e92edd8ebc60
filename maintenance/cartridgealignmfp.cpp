#include "maintenance/cartridgealignmfp.h"

#include "base/debuglog.h"
#include "maintenance/inkcommands.h"

#include <QPushButton>
#include <QWizardPage>

namespace {
enum { PrintPage, ScanPage };
// The "Print Page" button takes the place of Back in the row.
constexpr QWizard::WizardButton PrintPageButton = QWizard::CustomButton1;
} // namespace

CartridgeAlignMFP::CartridgeAlignMFP(const char *devPath, QWidget *parent, const char *name)
    : MaintenanceWizard({"CartridgeAlignMFPBase",
                         QT_TRANSLATE_NOOP("CartridgeAlignMFPBase", "Ink Cartridge Alignment"),
                         QT_TRANSLATE_NOOP("CartridgeAlignMFPBase", "Page"),
                         {543, 409}},
                        devPath, QString(), parent, name)
{
    addTextPage("WizardPage", "Frame1",
                {{"TextLabel20",
                  QT_TRANSLATE_NOOP("CartridgeAlignMFPBase",
                                    "Print cartridge alignment ensures the best possible print quality.")},
                 {"TextLabel21",
                  QT_TRANSLATE_NOOP("CartridgeAlignMFPBase",
                                    "To perform an alignment, you need the page that is automatically "
                                    "printed after you insert a print cartridge. If you do not have this "
                                    "alignment page, click Print Page to generate the page.")},
                 {"TextLabel22", QT_TRANSLATE_NOOP("CartridgeAlignMFPBase",
                                                   "If you already have the page, click Continue.")}},
                {PrintPageButton, NextButton, CancelButton});
    addTextPage(
        "WizardPage_2", "Frame2",
        {{"TextLabel23",
          QT_TRANSLATE_NOOP("CartridgeAlignMFPBase", "Follow these steps to perform the alignment.")},
         {"TextLabel24",
          QT_TRANSLATE_NOOP("CartridgeAlignMFPBase",
                            "1. Place the alignment page, with the patterns facing down, at the "
                            "front left corner on the scanner glass.")},
         {"TextLabel25",
          QT_TRANSLATE_NOOP("CartridgeAlignMFPBase",
                            "2. Press the \"Scan\" button on your MFP until turn on the light.")},
         {"TextLabel26", QT_TRANSLATE_NOOP("CartridgeAlignMFPBase",
                                           "During alignment the green light will blink. When the process is "
                                           "complete the light will stop blinking and remain green.")}},
        {FinishButton});

    auto *printPageButton = new QPushButton(tr("Print Page"), this);
    printPageButton->setObjectName(QStringLiteral("printPageBtn"));
    setButton(PrintPageButton, printPageButton);
    connect(printPageButton, &QPushButton::clicked, this, &CartridgeAlignMFP::printPage);
    page(PrintPage)->setButtonText(NextButton, tr("Continue"));
    page(ScanPage)->setButtonText(FinishButton, tr("Done"));
}

void CartridgeAlignMFP::printPage()
{
    DebugLog("CartridgeAlignMFP::printPage()");
    sendFromPage(PrintPage, {InkCommands::printAlignmentPage()});
}

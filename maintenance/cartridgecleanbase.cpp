#include "maintenance/cartridgecleanbase.h"

#include "maintenance/wizardform.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QWizardPage>

CartridgeCleanBase::CartridgeCleanBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QWizard(parent, fl)
{
    SetUpWizardForm(this, name, "CartridgeCleanBase", modal, 536, 409);

    Frame1 = AddFramedPage(this, "WizardPage", "Frame1");
    TextLabel2 = MakeTextLabel(Frame1, "TextLabel2");
    TextLabel3 = MakeTextLabel(Frame1, "TextLabel3");
    PixmapLabel1 = MakePixmapLabel(Frame1, "PixmapLabel1", "Ink_CleanPage.png");
    Frame1Layout = LayOutPictureGrid(Frame1, PixmapLabel1, {TextLabel2, TextLabel3});

    Frame2 = AddFramedPage(this, "WizardPage_2", "Frame2");
    TextLabel5 = MakeTextLabel(Frame2, "TextLabel5");
    TextLabel6 = MakeTextLabel(Frame2, "TextLabel6");
    TextLabel7 = MakeTextLabel(Frame2, "TextLabel7");
    PixmapLabel2 = MakePixmapLabel(Frame2, "PixmapLabel2", "Ink_Cleaning.png");
    Frame2Layout = LayOutPictureGrid(Frame2, PixmapLabel2, {TextLabel5, TextLabel6, TextLabel7});

    languageChange();
}

void CartridgeCleanBase::languageChange()
{
    setWindowTitle(tr("Ink Cartridge Clean"));
    for (int id : pageIds())
        page(id)->setTitle(tr("Page"));
    TextLabel2->setText(tr("If your printed output is streaked like the example on the left, the print "
                           "cartridges need to be cleaned. This takes about some minutes and uses one sheet "
                           "of paper."));
    TextLabel3->setText(tr("Click Clean to clean the print cartridges now."));
    TextLabel5->setText(tr("A page is printing that shows the results of this stage of cleaning."));
    TextLabel6->setText(tr("If the print quality looks good, click Done."));
    TextLabel7->setText(tr("Otherwise, click Clean Again to clean the print cartridges again. If that does "
                           "not fix the problem, replace the print cartridges."));
}

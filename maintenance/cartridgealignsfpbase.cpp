#include "maintenance/cartridgealignsfpbase.h"

#include "maintenance/wizardform.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWizardPage>

namespace {
QSpinBox *makeSpinBox(QWidget *parent, const char *name, const char *prefix, int maximum)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setPrefix(QString::fromLatin1(prefix));
    box->setRange(1, maximum);
    return box;
}
} // namespace

CartridgeAlignSFPBase::CartridgeAlignSFPBase(QWidget *parent, const char *name, bool modal,
                                             Qt::WindowFlags fl)
    : QWizard(parent, fl)
{
    SetUpWizardForm(this, name, "CartridgeAlignSFPBase", modal, 538, 404);

    Frame1 = AddFramedPage(this, "WizardPage", "Frame1");
    TextLabel9 = MakeTextLabel(Frame1, "TextLabel9");
    TextLabel10 = MakeTextLabel(Frame1, "TextLabel10");
    TextLabel11 = MakeTextLabel(Frame1, "TextLabel11");
    PixmapLabel3 = MakePixmapLabel(Frame1, "PixmapLabel3", "Ink_SFPAlign.png");
    Frame1Layout = LayOutPictureGrid(Frame1, PixmapLabel3, {TextLabel9, TextLabel10, TextLabel11});

    buildPatternPage();

    Frame3 = AddFramedPage(this, "WizardPage_3", "Frame3");
    TextLabel18 = MakeTextLabel(Frame3, "TextLabel18");
    TextLabel19 = MakeTextLabel(Frame3, "TextLabel19");
    PixmapLabel6 = MakePixmapLabel(Frame3, "PixmapLabel6", "Ink_SFPAlign_Verify.png");
    Frame3Layout = LayOutPictureGrid(Frame3, PixmapLabel6, {TextLabel18, TextLabel19});

    languageChange();
}

void CartridgeAlignSFPBase::buildPatternPage()
{
    Frame2 = AddFramedPage(this, "WizardPage_2", "Frame2");
    Frame2Layout = new QGridLayout(Frame2);
    Frame2Layout->setObjectName(QStringLiteral("Frame2Layout"));
    Frame2Layout->setContentsMargins(11, 11, 11, 11);
    Frame2Layout->setSpacing(6);

    textLayout = new QVBoxLayout();
    textLayout->setSpacing(20);
    TextLabel12 = MakeTextLabel(Frame2, "TextLabel12");
    TextLabel13 = MakeTextLabel(Frame2, "TextLabel13");
    TextLabel14 = MakeTextLabel(Frame2, "TextLabel14");
    textLayout->addWidget(TextLabel12);
    textLayout->addWidget(TextLabel13);
    textLayout->addWidget(TextLabel14);
    Frame2Layout->addLayout(textLayout, 0, 0, 2, 1);

    pageLayout = new QHBoxLayout();
    PixmapLabel4 = MakePixmapLabel(Frame2, "PixmapLabel4", "Ink_SFPAlign_Page.png");
    sbA = makeSpinBox(Frame2, "sbA", "A", 13);
    pageLayout->addWidget(PixmapLabel4);
    pageLayout->addWidget(sbA);
    Frame2Layout->addLayout(pageLayout, 0, 1);

    penLayout = new QHBoxLayout();
    PixmapLabel5 = MakePixmapLabel(Frame2, "PixmapLabel5", "Ink_SFPAlign_Pen.png");
    penLayout->addWidget(PixmapLabel5);
    spinLayout = new QVBoxLayout();
    spinLayout->setSpacing(0);
    sbB = makeSpinBox(Frame2, "sbB", "B", 17);
    sbC = makeSpinBox(Frame2, "sbC", "C", 17);
    sbD = makeSpinBox(Frame2, "sbD", "D", 11);
    sbE = makeSpinBox(Frame2, "sbE", "E", 11);
    sbF = makeSpinBox(Frame2, "sbF", "F", 21);
    sbG = makeSpinBox(Frame2, "sbG", "G", 21);
    for (QSpinBox *box : {sbB, sbC, sbD, sbE, sbF, sbG})
        spinLayout->addWidget(box);
    penLayout->addLayout(spinLayout);
    Frame2Layout->addLayout(penLayout, 1, 1);
}

void CartridgeAlignSFPBase::languageChange()
{
    setWindowTitle(tr("Ink Cartridge Alignment"));
    for (int id : pageIds())
        page(id)->setTitle(tr("Page"));
    TextLabel9->setText(tr("This procedure aligns the print cartridges to give you the best possible print "
                           "quality."));
    TextLabel10->setText(tr("You may not notice misalignment, but you should align each time a print "
                            "cartridge is replaced."));
    TextLabel11->setText(
        tr("Click \"Align\" to align the print cartridges now. This takes about some minutes "
           "and uses two sheets of paper."));
    TextLabel12->setText(tr("A page is printing with sets of alignment patterns."));
    TextLabel13->setText(tr("Select the arrow label which is closest to left side of page."));
    TextLabel14->setText(tr("Examine the page and select the best aligned pattern in each set then click "
                            "\"Continue\"."));
    TextLabel18->setText(tr("A page is printing with two aligned patterns: a square and a cross."));
    TextLabel19->setText(tr("If the patterns look like the example on the left, click \"Done\". Otherwise "
                            "click \"Align\" to repeat the alignment."));
}

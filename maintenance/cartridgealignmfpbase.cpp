#include "maintenance/cartridgealignmfpbase.h"

#include "maintenance/wizardform.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>
#include <QWizardPage>

namespace {
QVBoxLayout *layOutTexts(QFrame *frame, const QList<QLabel *> &texts)
{
    auto *box = new QVBoxLayout(frame);
    box->setObjectName(frame->objectName() + QStringLiteral("Layout"));
    box->setContentsMargins(30, 30, 30, 30);
    box->setSpacing(25);
    for (QLabel *text : texts)
        box->addWidget(text);
    return box;
}
} // namespace

CartridgeAlignMFPBase::CartridgeAlignMFPBase(QWidget *parent, const char *name, bool modal,
                                             Qt::WindowFlags fl)
    : QWizard(parent, fl)
{
    SetUpWizardForm(this, name, "CartridgeAlignMFPBase", modal, 543, 409);

    Frame1 = AddFramedPage(this, "WizardPage", "Frame1");
    TextLabel20 = MakeTextLabel(Frame1, "TextLabel20");
    TextLabel21 = MakeTextLabel(Frame1, "TextLabel21");
    TextLabel22 = MakeTextLabel(Frame1, "TextLabel22");
    Frame1Layout = layOutTexts(Frame1, {TextLabel20, TextLabel21, TextLabel22});

    Frame2 = AddFramedPage(this, "WizardPage_2", "Frame2");
    TextLabel23 = MakeTextLabel(Frame2, "TextLabel23");
    TextLabel24 = MakeTextLabel(Frame2, "TextLabel24");
    TextLabel25 = MakeTextLabel(Frame2, "TextLabel25");
    TextLabel26 = MakeTextLabel(Frame2, "TextLabel26");
    Frame2Layout = layOutTexts(Frame2, {TextLabel23, TextLabel24, TextLabel25, TextLabel26});

    languageChange();
}

void CartridgeAlignMFPBase::languageChange()
{
    setWindowTitle(tr("Ink Cartridge Alignment"));
    for (int id : pageIds())
        page(id)->setTitle(tr("Page"));
    TextLabel20->setText(tr("Print cartridge alignment ensures the best possible print quality."));
    TextLabel21->setText(tr("To perform an alignment, you need the page that is automatically printed after "
                            "you insert a print cartridge. If you do not have this alignment page, click "
                            "Print Page to generate the page."));
    TextLabel22->setText(tr("If you already have the page, click Continue."));
    TextLabel23->setText(tr("Follow these steps to perform the alignment."));
    TextLabel24->setText(tr("1. Place the alignment page, with the patterns facing down, at the front left "
                            "corner on the scanner glass."));
    TextLabel25->setText(tr("2. Press the \"Scan\" button on your MFP until turn on the light."));
    TextLabel26->setText(tr("During alignment the green light will blink. When the process is complete the "
                            "light will stop blinking and remain green."));
}

void CartridgeAlignMFPBase::printPage()
{
    qWarning("CartridgeAlignMFPBase::printPage(): Not implemented yet!");
}

#include "maintenance/cartridgealignsfp.h"

#include "base/debuglog.h"
#include "maintenance/inkcommands.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWizardPage>

namespace {
enum { OfferPage, PatternPage, VerifyPage };
// The verification page's "Align" stands where Back stands on other wizards.
constexpr QWizard::WizardButton AlignButton = QWizard::CustomButton1;

QSpinBox *makeSpinBox(QWidget *parent, const char *name, const char *prefix, int maximum)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setPrefix(QString::fromLatin1(prefix));
    box->setRange(1, maximum);
    return box;
}
} // namespace

CartridgeAlignSFP::CartridgeAlignSFP(bool photoInk, const char *devPath, const QString &id, QWidget *parent,
                                     const char *name)
    : MaintenanceWizard({"CartridgeAlignSFPBase",
                         QT_TRANSLATE_NOOP("CartridgeAlignSFPBase", "Ink Cartridge Alignment"),
                         QT_TRANSLATE_NOOP("CartridgeAlignSFPBase", "Page"),
                         {538, 404}},
                        devPath, id, parent, name),
      m_photoInk(photoInk)
{
    addPicturePage("WizardPage", "Frame1", {"PixmapLabel3", "Ink_SFPAlign.png"},
                   {{"TextLabel9", QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                                                     "This procedure aligns the print cartridges "
                                                     "to give you the best possible print quality.")},
                    {"TextLabel10",
                     QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                                       "You may not notice misalignment, but you should align each time a "
                                       "print cartridge is replaced.")},
                    {"TextLabel11",
                     QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                                       "Click \"Align\" to align the print cartridges now. This takes about "
                                       "some minutes and uses two sheets of paper.")}},
                   {NextButton, CancelButton});
    addPatternPage();
    addPicturePage(
        "WizardPage_3", "Frame3", {"PixmapLabel6", "Ink_SFPAlign_Verify.png"},
        {{"TextLabel18",
          QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                            "A page is printing with two aligned patterns: a square and a cross.")},
         {"TextLabel19",
          QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                            "If the patterns look like the example on the left, click \"Done\". "
                            "Otherwise click \"Align\" to repeat the alignment.")}},
        {AlignButton, FinishButton});

    page(OfferPage)->setButtonText(NextButton, tr("Align"));
    page(PatternPage)->setButtonText(NextButton, tr("Continue"));
    page(VerifyPage)->setButtonText(FinishButton, tr("Done"));
    setButtonText(AlignButton, tr("Align"));
    connect(button(AlignButton), &QAbstractButton::clicked, this, &CartridgeAlignSFP::back);
    sbF->setVisible(photoInk);
    sbG->setVisible(photoInk);
}

void CartridgeAlignSFP::addPatternPage()
{
    QFrame *frame = addFramedPage("WizardPage_2", "Frame2", {NextButton, CancelButton});
    auto *grid = new QGridLayout(frame);
    grid->setObjectName(QStringLiteral("Frame2Layout"));
    grid->setContentsMargins(11, 11, 11, 11);
    grid->setSpacing(6);

    auto *texts = new QVBoxLayout();
    texts->setSpacing(20);
    texts->addWidget(
        makeText(frame, {"TextLabel12", QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                                                          "A page is printing with sets of alignment "
                                                          "patterns.")}));
    texts->addWidget(
        makeText(frame, {"TextLabel13", QT_TRANSLATE_NOOP("CartridgeAlignSFPBase",
                                                          "Select the arrow label which is closest to "
                                                          "left side of page.")}));
    texts->addWidget(
        makeText(frame, {"TextLabel14",
                         QT_TRANSLATE_NOOP("CartridgeAlignSFPBase", "Examine the page and select the best "
                                                                    "aligned pattern in each set then click "
                                                                    "\"Continue\".")}));
    grid->addLayout(texts, 0, 0, 2, 1);

    auto *pageRow = new QHBoxLayout();
    pageRow->addWidget(makePicture(frame, {"PixmapLabel4", "Ink_SFPAlign_Page.png"}));
    sbA = makeSpinBox(frame, "sbA", "A", 13);
    pageRow->addWidget(sbA);
    grid->addLayout(pageRow, 0, 1);

    auto *penRow = new QHBoxLayout();
    penRow->addWidget(makePicture(frame, {"PixmapLabel5", "Ink_SFPAlign_Pen.png"}));
    auto *spins = new QVBoxLayout();
    spins->setSpacing(0);
    sbB = makeSpinBox(frame, "sbB", "B", 17);
    sbC = makeSpinBox(frame, "sbC", "C", 17);
    sbD = makeSpinBox(frame, "sbD", "D", 11);
    sbE = makeSpinBox(frame, "sbE", "E", 11);
    sbF = makeSpinBox(frame, "sbF", "F", 21);
    sbG = makeSpinBox(frame, "sbG", "G", 21);
    for (QSpinBox *box : {sbB, sbC, sbD, sbE, sbF, sbG})
        spins->addWidget(box);
    penRow->addLayout(spins);
    grid->addLayout(penRow, 1, 1);
}

void CartridgeAlignSFP::initializePage(int id)
{
    MaintenanceWizard::initializePage(id);
    if (id == PatternPage)
        printPatterns();
    else if (id == VerifyPage)
        sendChoices();
}

void CartridgeAlignSFP::printPatterns()
{
    DebugLog("CartridgeAlignSFP: pattern page (%s)", qPrintable(modeName()));
    bool started = true;
    if (m_firstPatternPage) {
        // Kept set while the device has not taken it, so the next round tries again.
        started = sendFromPage(PatternPage, {InkCommands::alignmentStart()});
        m_firstPatternPage = !started;
    }
    if (!started)
        return;
    if (isDirect())
        sendFromPage(PatternPage, {InkCommands::printAlignmentPatterns()});
    else
        applyFromPage(PatternPage);
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
    sendFromPage(VerifyPage, commands);
}

void CartridgeAlignSFP::back()
{
    // restart() forgets the pages visited; the spin boxes keep their values.
    restart();
}

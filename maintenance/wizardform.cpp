#include "maintenance/wizardform.h"

#include "base/images.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWizard>
#include <QWizardPage>

void SetUpWizardForm(QWizard *wizard, const char *name, const char *className, bool modal, int width,
                     int height)
{
    wizard->setObjectName(QString::fromLatin1(name ? name : className));
    wizard->setModal(modal);
    // The same look on every desktop: title above the page, buttons below a line.
    wizard->setWizardStyle(QWizard::ClassicStyle);
    wizard->resize(width, height);
}

QFrame *AddFramedPage(QWizard *wizard, const char *pageName, const char *frameName)
{
    auto *page = new QWizardPage(wizard);
    page->setObjectName(QString::fromLatin1(pageName));
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(page);
    frame->setObjectName(QString::fromLatin1(frameName));
    frame->setFrameShape(QFrame::NoFrame);
    pageLayout->addWidget(frame);
    wizard->addPage(page);
    return frame;
}

QLabel *MakeTextLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QLabel *MakePixmapLabel(QWidget *parent, const char *name, const char *image)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(QPixmap::fromImage(ImageFromMimeSource(QString::fromLatin1(image))));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

QGridLayout *LayOutPictureGrid(QFrame *frame, QLabel *picture, const QList<QLabel *> &texts)
{
    auto *grid = new QGridLayout(frame);
    grid->setObjectName(frame->objectName() + QStringLiteral("Layout"));
    grid->setContentsMargins(30, 30, 30, 30);
    grid->setSpacing(25);
    const int rows = int(texts.size()) + 2;
    grid->addWidget(picture, 0, 0, rows, 1);
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding), 0, 1);
    for (int i = 0; i < texts.size(); ++i)
        grid->addWidget(texts[i], i + 1, 1);
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding), rows - 1, 1);
    return grid;
}

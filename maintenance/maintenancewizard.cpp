#include "maintenance/maintenancewizard.h"

#include "base/debuglog.h"
#include "base/images.h"
#include "maintenance/commandstatuslabel.h"

#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWizardPage>

MaintenanceWizard::MaintenanceWizard(const Form &form, const char *devPath, const QString &id,
                                     QWidget *parent, const char *name)
    : QWizard(parent), m_formName(form.name), m_pageTitle(form.pageTitle), m_id(id),
      m_sender(QFile::decodeName(devPath))
{
    setObjectName(QString::fromLatin1(name ? name : form.name));
    // The same look on every desktop: title above the page, buttons below a line.
    setWizardStyle(QWizard::ClassicStyle);
    resize(form.size);
    setWindowTitle(QCoreApplication::translate(m_formName, form.title));
    connect(this, &QWizard::currentIdChanged, this, &MaintenanceWizard::showButtonRow);
}

QString MaintenanceWizard::modeName() const
{
    return isDirect() ? QStringLiteral("direct") : m_id;
}

QFrame *MaintenanceWizard::addFramedPage(const char *pageName, const char *frameName,
                                         const QList<WizardButton> &row)
{
    auto *page = new QWizardPage(this);
    page->setObjectName(QString::fromLatin1(pageName));
    page->setTitle(QCoreApplication::translate(m_formName, m_pageTitle));
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(page);
    frame->setObjectName(QString::fromLatin1(frameName));
    frame->setFrameShape(QFrame::NoFrame);
    pageLayout->addWidget(frame);
    const int id = addPage(page);
    m_buttonRows.insert(id, row);
    // Until the wizard is shown it has no current page; it opens on the first.
    if (id == startId())
        showButtonRow(id);
    return frame;
}

void MaintenanceWizard::addPicturePage(const char *pageName, const char *frameName, const Picture &picture,
                                       const QList<Text> &texts, const QList<WizardButton> &row)
{
    QFrame *frame = addFramedPage(pageName, frameName, row);
    QList<QLabel *> labels;
    for (const Text &text : texts)
        labels.append(makeText(frame, text));
    auto *grid = new QGridLayout(frame);
    grid->setObjectName(frame->objectName() + QStringLiteral("Layout"));
    grid->setContentsMargins(30, 30, 30, 30);
    grid->setSpacing(25);
    // The picture spans the texts and the spacers that centre them.
    const int rows = int(labels.size()) + 2;
    grid->addWidget(makePicture(frame, picture), 0, 0, rows, 1);
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding), 0, 1);
    for (int i = 0; i < labels.size(); ++i)
        grid->addWidget(labels[i], i + 1, 1);
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding), rows - 1, 1);
}

void MaintenanceWizard::addTextPage(const char *pageName, const char *frameName, const QList<Text> &texts,
                                    const QList<WizardButton> &row)
{
    QFrame *frame = addFramedPage(pageName, frameName, row);
    auto *box = new QVBoxLayout(frame);
    box->setObjectName(frame->objectName() + QStringLiteral("Layout"));
    box->setContentsMargins(30, 30, 30, 30);
    box->setSpacing(25);
    for (const Text &text : texts)
        box->addWidget(makeText(frame, text));
}

QLabel *MaintenanceWizard::makeText(QFrame *frame, const Text &text) const
{
    auto *label = new QLabel(QCoreApplication::translate(m_formName, text.source), frame);
    label->setObjectName(QString::fromLatin1(text.name));
    label->setWordWrap(true);
    return label;
}

QLabel *MaintenanceWizard::makePicture(QFrame *frame, const Picture &picture)
{
    auto *label = new QLabel(frame);
    label->setObjectName(QString::fromLatin1(picture.name));
    label->setPixmap(QPixmap::fromImage(ImageFromMimeSource(QString::fromLatin1(picture.image))));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

bool MaintenanceWizard::sendFromPage(int pageId, const QList<QByteArray> &commands)
{
    const bool sent = m_sender.sendAll(commands);
    report(pageId, sent, sent ? QString() : m_sender.lastFailure().text());
    return sent;
}

bool MaintenanceWizard::applyFromPage(int pageId)
{
    if (!m_applier) {
        DebugLog("MaintenanceWizard: nothing applies <%s>", qPrintable(m_id));
        return false;
    }
    QString reason;
    const bool taken = m_applier(m_id, &reason);
    report(pageId, taken, reason);
    return taken;
}

void MaintenanceWizard::report(int pageId, bool taken, const QString &reason)
{
    CommandStatusLabel *&line = m_statusLines[pageId];
    if (!line)
        line = CommandStatusLabel::addTo(page(pageId));
    line->report(taken, reason);
}

void MaintenanceWizard::showButtonRow(int pageId)
{
    // A restart passes through no page at all; the first page's row stands in.
    QList<WizardButton> row{Stretch};
    row += m_buttonRows.value(pageId < 0 ? startId() : pageId);
    row.append(Stretch);
    setButtonLayout(row);
}

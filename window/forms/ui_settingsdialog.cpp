#include "window/forms/ui_settingsdialog.h"

#include "base/images.h"
#include "widgets/custombutton.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QPushButton *makeButton(QWidget *parent, const char *name, int minimumWidth)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(minimumWidth);
    button->setMaximumHeight(24);
    return button;
}

QTreeWidget *makeList(QWidget *parent, const char *name, int columns, bool rootDecorated)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(columns);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setRootIsDecorated(rootDecorated);
    // Columns keep their widths; long entries scroll sideways.
    list->header()->setStretchLastSection(false);
    return list;
}

QTreeWidgetItem *sampleItem(QTreeWidget *list, QTreeWidgetItem *parent, const QString &text)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(list);
    item->setText(0, text);
    return item;
}
} // namespace

Ui_SettingsDialog::Ui_SettingsDialog(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    // The settings window always runs modally.
    Q_UNUSED(modal);
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Ui_SettingsDialog"));
    resize(388, 430);
    setWindowIcon(QPixmap::fromImage(ImageFromMimeSource(QStringLiteral("vlm.png"))));
    setModal(true);
    // The window's texts are 10 pixels high (initialize sets every widget
    // so); set before the widgets exist, they are measured in that font
    // alone, and the desktop's default font is never loaded for them.
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);

    Ui_SettingsDialogLayout = new QVBoxLayout(this);
    Ui_SettingsDialogLayout->setObjectName(QStringLiteral("Ui_SettingsDialogLayout"));
    Ui_SettingsDialogLayout->setContentsMargins(8, 8, 8, 8);
    Ui_SettingsDialogLayout->setSpacing(5);

    buildParamFrame();
    buildPanel();
    languageChange();
    addSampleItems();

    connect(paramList, &QTreeWidget::currentItemChanged, this,
            &Ui_SettingsDialog::paramList_selectionChanged);
    connect(closeBtn, &QPushButton::clicked, this, &Ui_SettingsDialog::closeBtn_clicked);
    connect(slider, &QToolButton::clicked, this, &Ui_SettingsDialog::slider_clicked);
    connect(favoriteList, &QTreeWidget::currentItemChanged, this,
            &Ui_SettingsDialog::favoriteList_selectionChanged);
    connect(applyBtn, &QPushButton::clicked, this, &Ui_SettingsDialog::applyBtn_clicked);
    connect(defBtn, &QPushButton::clicked, this, &Ui_SettingsDialog::defBtn_clicked);
}

void Ui_SettingsDialog::buildParamFrame()
{
    paramFrame = new QFrame(this);
    paramFrame->setObjectName(QStringLiteral("paramFrame"));
    // The lists and the panel below take the room a larger window gives.
    paramFrame->setMinimumSize(370, 190);
    paramFrameLayout = new QHBoxLayout(paramFrame);
    paramFrameLayout->setObjectName(QStringLiteral("paramFrameLayout"));
    paramFrameLayout->setContentsMargins(0, 0, 0, 0);
    paramFrameLayout->setSpacing(3);

    favoriteList = makeList(paramFrame, "favoriteList", 1, false);
    favoriteList->setFixedWidth(110);
    QFont favoriteFont = favoriteList->font();
    favoriteFont.setPixelSize(12);
    favoriteList->setFont(favoriteFont);
    paramFrameLayout->addWidget(favoriteList);

    slider = new QToolButton(paramFrame);
    slider->setObjectName(QStringLiteral("slider"));
    slider->setFixedSize(14, 70);
    paramFrameLayout->addWidget(slider);

    paramList = makeList(paramFrame, "paramList", 2, true);
    paramList->setMinimumWidth(240);
    paramFrameLayout->addWidget(paramList);
    Ui_SettingsDialogLayout->addWidget(paramFrame);

    Layout7 = new QHBoxLayout();
    Layout7->setObjectName(QStringLiteral("Layout7"));
    Layout7->setSpacing(6);
    Layout7->addItem(new QSpacerItem(20, 24, QSizePolicy::Fixed, QSizePolicy::Minimum));
    Layout7->addItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    helpBtn = new CustomButton(this, "helpBtn");
    helpBtn->setFixedSize(24, 24);
    helpBtn->setFocusPolicy(Qt::NoFocus);
    const QPixmap help = QPixmap::fromImage(ImageFromMimeSource(QStringLiteral("help4.png")));
    helpBtn->setOffPixmap(help);
    helpBtn->setOffPressedPixmap(help);
    helpBtn->setOnPixmap(help);
    helpBtn->setOnPressedPixmap(help);
    helpBtn->setIconSize(QSize(24, 24));
    Layout7->addWidget(helpBtn);
    Ui_SettingsDialogLayout->addLayout(Layout7);
}

void Ui_SettingsDialog::buildPanel()
{
    Layout6 = new QVBoxLayout();
    Layout6->setObjectName(QStringLiteral("Layout6"));
    Layout6->setSpacing(6);
    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setMinimumSize(370, 145);
    Layout6->addWidget(panel);

    line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    Layout6->addWidget(line1);

    Layout5 = new QHBoxLayout();
    Layout5->setObjectName(QStringLiteral("Layout5"));
    Layout5->setSpacing(6);
    defBtn = makeButton(this, "defBtn", 110);
    applyBtn = makeButton(this, "applyBtn", 90);
    applyBtn->setEnabled(false);
    closeBtn = makeButton(this, "closeBtn", 90);
    Layout5->addWidget(defBtn);
    Layout5->addItem(new QSpacerItem(30, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    Layout5->addWidget(applyBtn);
    Layout5->addWidget(closeBtn);
    Layout6->addLayout(Layout5);
    Ui_SettingsDialogLayout->addLayout(Layout6);
}

void Ui_SettingsDialog::addSampleItems()
{
    for (const char *text : {QT_TR_NOOP("Information"), QT_TR_NOOP("Paper"), QT_TR_NOOP("Layout")})
        sampleItem(favoriteList, nullptr, tr(text));

    QTreeWidgetItem *information = sampleItem(paramList, nullptr, tr("Information"));
    for (const char *text :
         {QT_TR_NOOP("Complited Job"), QT_TR_NOOP("Configuration"), QT_TR_NOOP("Event log"),
          QT_TR_NOOP("Demo Page"), QT_TR_NOOP("Stored Job list"), QT_TR_NOOP("Usage Page")})
        sampleItem(paramList, information, tr(text));
    sampleItem(paramList, nullptr, tr("Paper"));
    QTreeWidgetItem *layout = sampleItem(paramList, nullptr, tr("Layout"));
    for (const char *text :
         {QT_TR_NOOP("Duplex"), QT_TR_NOOP("Copies"), QT_TR_NOOP("Orientation"), QT_TR_NOOP("Margins")})
        sampleItem(paramList, layout, tr(text));
}

void Ui_SettingsDialog::languageChange()
{
    setWindowTitle(tr("Velmora"));
    favoriteList->setHeaderLabels({tr("Favorites")});
    paramList->setHeaderLabels({tr("1"), tr("Value")});
    slider->setText(tr("<"));
    defBtn->setText(tr("Printer Default"));
    applyBtn->setText(tr("Apply"));
    closeBtn->setText(tr("Exit"));
}

void Ui_SettingsDialog::applyBtn_clicked()
{
    qWarning("Ui_SettingsDialog::applyBtn_clicked(): Not implemented yet!");
}

void Ui_SettingsDialog::closeBtn_clicked()
{
    qWarning("Ui_SettingsDialog::closeBtn_clicked(): Not implemented yet!");
}

void Ui_SettingsDialog::defBtn_clicked()
{
    qWarning("Ui_SettingsDialog::defBtn_clicked(): Not implemented yet!");
}

void Ui_SettingsDialog::favoriteList_selectionChanged(QTreeWidgetItem *item)
{
    Q_UNUSED(item);
    qWarning(
        "Ui_SettingsDialog::favoriteList_selectionChanged( QListViewItem * item ): Not implemented yet!");
}

void Ui_SettingsDialog::helpBtn_clicked()
{
    qWarning("Ui_SettingsDialog::helpBtn_clicked(): Not implemented yet!");
}

void Ui_SettingsDialog::paramList_selectionChanged(QTreeWidgetItem *item2)
{
    Q_UNUSED(item2);
    qWarning("Ui_SettingsDialog::paramList_selectionChanged( QListViewItem * item2 ): Not implemented yet!");
}

void Ui_SettingsDialog::slider_clicked()
{
    qWarning("Ui_SettingsDialog::slider_clicked(): Not implemented yet!");
}

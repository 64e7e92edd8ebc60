#include "widgets/forms/ui_popupform.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
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
} // namespace

Ui_PopupForm::Ui_PopupForm(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    // A pop-up form always blocks the settings window behind it.
    Q_UNUSED(modal);
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Ui_PopupForm"));
    resize(320, 240);
    setFixedWidth(320);
    setModal(true);

    Ui_PopupFormLayout = new QVBoxLayout(this);
    Ui_PopupFormLayout->setObjectName(QStringLiteral("Ui_PopupFormLayout"));
    Ui_PopupFormLayout->setContentsMargins(8, 8, 8, 8);
    Ui_PopupFormLayout->setSpacing(6);

    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setFixedWidth(300);
    panel->setMinimumHeight(40);
    panel->setFrameShape(QFrame::NoFrame);
    Ui_PopupFormLayout->addWidget(panel);

    line3 = new QFrame(this);
    line3->setObjectName(QStringLiteral("line3"));
    line3->setFrameShape(QFrame::HLine);
    line3->setFrameShadow(QFrame::Sunken);
    Ui_PopupFormLayout->addWidget(line3);

    Layout3 = new QHBoxLayout();
    Layout3->setObjectName(QStringLiteral("Layout3"));
    Layout3->setSpacing(6);
    btnDefault = makeButton(this, "btnDefault", 100);
    btnOK = makeButton(this, "btnOK", 90);
    btnCancel = makeButton(this, "btnCancel", 90);
    Layout3->addWidget(btnDefault);
    Layout3->addWidget(btnOK);
    Layout3->addWidget(btnCancel);
    Ui_PopupFormLayout->addLayout(Layout3);

    languageChange();

    connect(btnCancel, &QPushButton::clicked, this, &Ui_PopupForm::btnCancel_clicked);
    connect(btnOK, &QPushButton::clicked, this, &Ui_PopupForm::btnOK_clicked);
}

void Ui_PopupForm::languageChange()
{
    setWindowTitle(tr("PopupForm"));
    btnDefault->setText(tr("Printer Default"));
    btnOK->setText(tr("Apply"));
    btnCancel->setText(tr("Close"));
}

void Ui_PopupForm::btnCancel_clicked()
{
    qWarning("Ui_PopupForm::btnCancel_clicked(): Not implemented yet!");
}

void Ui_PopupForm::btnOK_clicked()
{
    qWarning("Ui_PopupForm::btnOK_clicked(): Not implemented yet!");
}

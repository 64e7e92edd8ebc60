#include "widgets/aboutwidget.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
QLabel *makeTextLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}
} // namespace

AboutWidget::AboutWidget(QWidget *parent, const char *name, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));

    aboutLayout = new QVBoxLayout(this);
    aboutLayout->setObjectName(QStringLiteral("aboutLayout"));
    aboutLayout->setContentsMargins(0, 0, 0, 0);
    aboutLayout->setSpacing(0);

    modelLabel = makeTextLabel(this, "modelLabel");
    QFont bold = modelLabel->font();
    bold.setWeight(QFont::Bold);
    modelLabel->setFont(bold);
    versionLabel = makeTextLabel(this, "versionLabel");
    logoLabel = new QLabel(this);
    logoLabel->setObjectName(QStringLiteral("logoLabel"));
    logoLabel->setAlignment(Qt::AlignCenter);
    logoLabel->setScaledContents(false);
    copyrighLabel = makeTextLabel(this, "copyrighLabel");

    aboutLayout->addWidget(modelLabel);
    aboutLayout->addWidget(versionLabel);
    aboutLayout->addWidget(logoLabel);
    aboutLayout->addWidget(copyrighLabel);

    setGeometry(50, 230, 390, 138);
}

QPixmap AboutWidget::logoPixmap() const
{
    return logoLabel->pixmap();
}

void AboutWidget::setLogoPixmap(const QPixmap &pixmap)
{
    logoLabel->setPixmap(pixmap);
}

QString AboutWidget::modelName() const
{
    return modelLabel->text();
}

void AboutWidget::setModelName(const QString &text)
{
    modelLabel->setText(text);
}

QString AboutWidget::versionText() const
{
    return versionLabel->text();
}

void AboutWidget::setVersionText(const QString &text)
{
    versionLabel->setText(text);
}

QString AboutWidget::copyrightText() const
{
    return copyrighLabel->text();
}

void AboutWidget::setCopyrightText(const QString &text)
{
    copyrighLabel->setText(text);
}

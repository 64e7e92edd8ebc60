#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// The About panel: model name, version, logo and copyright, one under the other.
class AboutWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap logoPixmap READ logoPixmap WRITE setLogoPixmap)
    Q_PROPERTY(QString modelName READ modelName WRITE setModelName)
    Q_PROPERTY(QString versionText READ versionText WRITE setVersionText)
    Q_PROPERTY(QString copyrightText READ copyrightText WRITE setCopyrightText)
public:
    explicit AboutWidget(QWidget *parent = nullptr, const char *name = nullptr,
                         Qt::WindowFlags flags = Qt::WindowFlags());

    [[nodiscard]] QPixmap logoPixmap() const;
    void setLogoPixmap(const QPixmap &pixmap);
    [[nodiscard]] QString modelName() const;
    void setModelName(const QString &text);
    [[nodiscard]] QString versionText() const;
    void setVersionText(const QString &text);
    [[nodiscard]] QString copyrightText() const;
    void setCopyrightText(const QString &text);

    // Children, owned through the Qt parent; public like a designer form's.
    QVBoxLayout *aboutLayout;
    QLabel *modelLabel;
    QLabel *versionLabel;
    QLabel *logoLabel;
    QLabel *copyrighLabel;
};

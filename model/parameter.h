#pragma once

#include "model/ilocalizable.h"

#include <QObject>
#include <QString>

// One option of a list setting. Its id is the value the setting takes when
// the option is chosen; visible says whether the option is offered now
// (constraints and attribute changes switch it). All properties are plain:
// writes store the value and emit nothing.
class Parameter : public QObject, public ILocalizable
{
    Q_OBJECT
    Q_PROPERTY(QString id READ id WRITE setId)
    Q_PROPERTY(QString string READ string WRITE setString)
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(QString description READ desc WRITE setDescription)
    Q_PROPERTY(bool visible READ visible WRITE setVisible)

public:
    explicit Parameter(const QString &id = QString(""));
    ~Parameter() override;

    virtual QString id() const;
    QString string() const override;
    QString title() const override;
    QString desc() const override;
    virtual bool visible() const;
    virtual void setId(const QString &id);
    void setString(const QString &key) override;
    void setTitle(const QString &title) override;
    void setDescription(const QString &desc) override;
    virtual void setVisible(bool visible);

private:
    QString m_id;
    QString m_string{""};
    QString m_title{""};
    QString m_desc{""};
    bool m_visible = true;
};

#pragma once

#include "model/parameter.h"

// A paper-size option: the margins and line counts that other settings follow
// through reference attributes. Values are decimal text as the device sent
// it; a value the description leaves out is written as a null string.
class PaperSizeParameter : public Parameter
{
    Q_OBJECT
    Q_PROPERTY(QString maxtopmargin READ maxTopMargin WRITE setMaxTopMargin)
    Q_PROPERTY(QString maxleftmargin READ maxLeftMargin WRITE setMaxLeftMargin)
    Q_PROPERTY(QString linesportrait READ linesPortrait WRITE setLinesPortrait)
    Q_PROPERTY(QString lineslandscape READ linesLandscape WRITE setLinesLandscape)

public:
    explicit PaperSizeParameter(const QString &id = QString(""));
    ~PaperSizeParameter() override;

    virtual QString maxTopMargin() const;
    virtual QString maxLeftMargin() const;
    virtual QString linesPortrait() const;
    virtual QString linesLandscape() const;
    virtual void setMaxTopMargin(const QString &value);
    virtual void setMaxLeftMargin(const QString &value);
    virtual void setLinesPortrait(const QString &value);
    virtual void setLinesLandscape(const QString &value);

private:
    QString m_maxTopMargin{"0"};
    QString m_maxLeftMargin{"0"};
    QString m_linesPortrait{"0"};
    QString m_linesLandscape{"0"};
};

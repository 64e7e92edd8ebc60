#include "model/papersizeparameter.h"

PaperSizeParameter::PaperSizeParameter(const QString &id) : Parameter(id)
{}

PaperSizeParameter::~PaperSizeParameter() = default;

QString PaperSizeParameter::maxTopMargin() const
{
    return m_maxTopMargin;
}

QString PaperSizeParameter::maxLeftMargin() const
{
    return m_maxLeftMargin;
}

QString PaperSizeParameter::linesPortrait() const
{
    return m_linesPortrait;
}

QString PaperSizeParameter::linesLandscape() const
{
    return m_linesLandscape;
}

void PaperSizeParameter::setMaxTopMargin(const QString &value)
{
    m_maxTopMargin = value;
}

void PaperSizeParameter::setMaxLeftMargin(const QString &value)
{
    m_maxLeftMargin = value;
}

void PaperSizeParameter::setLinesPortrait(const QString &value)
{
    m_linesPortrait = value;
}

void PaperSizeParameter::setLinesLandscape(const QString &value)
{
    m_linesLandscape = value;
}

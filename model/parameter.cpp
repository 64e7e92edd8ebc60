#include "model/parameter.h"

Parameter::Parameter(const QString &id) : m_id(id)
{}

Parameter::~Parameter() = default;

QString Parameter::id() const
{
    return m_id;
}

QString Parameter::string() const
{
    return m_string;
}

QString Parameter::title() const
{
    return m_title;
}

QString Parameter::desc() const
{
    return m_desc;
}

bool Parameter::visible() const
{
    return m_visible;
}

void Parameter::setId(const QString &id)
{
    m_id = id;
}

void Parameter::setString(const QString &key)
{
    m_string = key;
}

void Parameter::setTitle(const QString &title)
{
    m_title = title;
}

void Parameter::setDescription(const QString &desc)
{
    m_desc = desc;
}

void Parameter::setVisible(bool visible)
{
    m_visible = visible;
}

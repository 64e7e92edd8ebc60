#include "model/nodedesc.h"

#include "model/element.h"

NodeDesc::NodeDesc(const QString &id, const QString &string, NodeDesc *parent)
    : m_id(id), m_string(string), m_title(""), m_desc(""), m_pParent(parent)
{}

NodeDesc::~NodeDesc()
{
    // Settings go first: a setting may still point into the sub-categories
    // (its dependents, its own node) while it is destroyed, never the reverse.
    m_elements.clear();
    m_children.clear();
}

QString NodeDesc::string() const
{
    return m_string;
}

QString NodeDesc::title() const
{
    return m_title;
}

QString NodeDesc::desc() const
{
    return m_desc;
}

void NodeDesc::setString(const QString &key)
{
    m_string = key;
}

void NodeDesc::setTitle(const QString &title)
{
    m_title = title;
}

void NodeDesc::setDescription(const QString &desc)
{
    m_desc = desc;
}

NodeDesc *NodeDesc::addChild(std::unique_ptr<NodeDesc> child)
{
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

Element *NodeDesc::addElement(std::unique_ptr<Element> element)
{
    m_elements.push_back(std::move(element));
    return m_elements.back().get();
}

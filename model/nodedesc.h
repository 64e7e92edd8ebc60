#pragma once

#include "model/ilocalizable.h"

#include <QString>

#include <memory>
#include <vector>

class Element;

// One category of the settings tree. It owns its sub-categories and the
// settings placed directly in it (members of groups and pop-up forms belong
// to their group instead); deleting the top category deletes the whole model.
class NodeDesc : public ILocalizable
{
public:
    using ChildList = std::vector<std::unique_ptr<NodeDesc>>;
    using ElementList = std::vector<std::unique_ptr<Element>>;

    // title and description start empty; the parser fills them.
    NodeDesc(const QString &id, const QString &string, NodeDesc *parent);
    ~NodeDesc() override;

    NodeDesc(const NodeDesc &) = delete;
    NodeDesc &operator=(const NodeDesc &) = delete;

    QString string() const override;
    QString title() const override;
    QString desc() const override;
    void setString(const QString &key) override;
    void setTitle(const QString &title) override;
    void setDescription(const QString &desc) override;

    const QString &id() const { return m_id; }
    NodeDesc *parent() const { return m_pParent; }

    // Document order in both lists.
    const ChildList &children() const { return m_children; }
    const ElementList &elements() const { return m_elements; }
    // Takes ownership; returns the added object for convenience.
    NodeDesc *addChild(std::unique_ptr<NodeDesc> child);
    Element *addElement(std::unique_ptr<Element> element);

private:
    QString m_id;
    QString m_string;
    QString m_title;
    QString m_desc;
    NodeDesc *m_pParent;
    ChildList m_children;
    ElementList m_elements;
};

#pragma once

#include "model/changegenerator.h"
#include "model/descriptionlimits.h"
#include "model/domparser.h"

#include <QDomElement>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class AboutInfo;
class Attribute;
class ComplexElement;
class Condition;
class ConditionNode;
class Constraint;
class Dependency;
class Element;
class NodeDesc;
class PaperSizeParameter;
class Parameter;
class QFile;
class RefAttribute;
class ILocalizable;
class TextLocalizer;

// Turns a description document into the settings model: the category tree
// with one element per setting, and the dependency records wired to the
// elements. Afterwards it writes the change documents for the device and
// hands the address-book settings to the sibling tools.
//
// Every lookup by id returns the first match in the order the tree is
// searched; settings placed directly in the top category are never found.
class SettingsParser : public DomParser
{
public:
    using DependencyList = std::vector<std::unique_ptr<Dependency>>;

    // Categories, groups and pop-up forms nested deeper than this are cut
    // off: nothing below that level becomes part of the model.
    static constexpr int MaxNestingDepth = 256;

    SettingsParser();
    explicit SettingsParser(const QString &text);
    explicit SettingsParser(QFile *file);
    ~SettingsParser() override;

    // Reads the settings and their rules and wires them together: the one
    // way to read a description. The rules are read and wired even when the
    // settings cannot be; whether the settings were read is the result.
    bool parse();

    // The bounds the next parse holds the description to.
    [[nodiscard]] DescriptionLimits &limits() { return m_limits; }

    // Visits every translatable text of the model in a fixed order: every
    // category but the top one, every element with its members and every
    // option (settingsparserwalk.cpp). Stops at, and returns, the first false.
    bool forEachLocalizable(const std::function<bool(ILocalizable *)> &visit) const;

    // Hands every object of that walk to the localizer (a translator). False
    // when the localizer cannot begin (no Translation node and none can be
    // made) or stops on an entry that lacks its Value.
    bool translate(TextLocalizer &localizer);

    [[nodiscard]] NodeDesc *root() const { return m_pRoot.get(); }
    [[nodiscard]] const DependencyList &dependencies() const { return m_dependencies; }
    // Replaces the copy handed to the About setting on the next parse.
    void setAboutInfo(const AboutInfo &info);

    [[nodiscard]] Element *findElement(const QString &id) const;
    [[nodiscard]] Dependency *findDependency(const QString &id) const;

    // An empty id: every changed setting. A button's id: its press. A pop-up
    // form's id: the changed settings of that form. Anything else: "".
    [[nodiscard]] QString getChanges(const QString &id);
    // The change document that presses the button e; "" for null.
    [[nodiscard]] QString getButton(Element *e);

    // The first address-book setting of that kind, with everything inside it,
    // as an XML text headed by the declaration; null when there is none.
    [[nodiscard]] QString readPhoneBook() const;
    [[nodiscard]] QString readEmailBook() const;
    [[nodiscard]] QString readAddressBook() const;

private:
    using Visitor = std::function<bool(Element *)>;

    // The steps of parse. They only make sense together and in this order:
    // reading the settings alone deletes elements that the rule records of
    // the last parse still point to.
    bool readPrinterSettings();
    bool readDependencies();
    void wireDependencies();

    // Pre-order over the model: a category's elements (each followed by its
    // members), then its sub-categories. Iterative, so no description can
    // exhaust the stack. False when the visitor stopped the walk.
    bool walk(const Visitor &visitor) const;
    static bool walkFrom(std::vector<const NodeDesc *> categories, std::vector<Element *> elements,
                         const Visitor &visitor);
    static QList<Element *> membersOf(Element *element);
    bool walkLookupOrder(const Visitor &visitor) const;

    std::unique_ptr<NodeDesc> readNode(const QDomElement &node, NodeDesc *parent);
    std::unique_ptr<Element> createElement(const QDomElement &node, int type, NodeDesc *category,
                                           Element *parentElement);
    void renameSubnetMasks();
    void buildElementIndex();

    // Builders, one per control kind (settingsparserbuilders.cpp). Each
    // returns the filled element; the caller places it.
    std::unique_ptr<Element> createList(const QDomElement &node, NodeDesc *category, Element *parentElement);
    std::unique_ptr<Element> createInteger(const QDomElement &node, NodeDesc *category,
                                           Element *parentElement);
    std::unique_ptr<Element> createStaticText(const QDomElement &node, NodeDesc *category,
                                              Element *parentElement);
    std::unique_ptr<Element> createAddress(const QDomElement &node, NodeDesc *category,
                                           Element *parentElement);
    std::unique_ptr<Element> createFloat(const QDomElement &node, NodeDesc *category, Element *parentElement);
    std::unique_ptr<Element> createButton(const QDomElement &node, NodeDesc *category,
                                          Element *parentElement);
    std::unique_ptr<Element> createGroup(const QDomElement &node, NodeDesc *category, Element *parentElement);
    std::unique_ptr<Element> createPopup(const QDomElement &node, NodeDesc *category, Element *parentElement);
    std::unique_ptr<Element> createSlider(const QDomElement &node, NodeDesc *category,
                                          Element *parentElement);
    std::unique_ptr<Element> createAbout(NodeDesc *category, Element *parentElement);
    std::unique_ptr<Element> createPhoneBook(const QDomElement &node, NodeDesc *category,
                                             Element *parentElement);
    std::unique_ptr<Element> createEmailBook(const QDomElement &node, NodeDesc *category,
                                             Element *parentElement);
    std::unique_ptr<Element> createAddressBook(const QDomElement &node, NodeDesc *category,
                                               Element *parentElement);
    std::unique_ptr<Element> createEditBox(const QDomElement &node, NodeDesc *category,
                                           Element *parentElement);
    std::unique_ptr<Element> createTestPage(const QDomElement &node, NodeDesc *category,
                                            Element *parentElement);
    std::unique_ptr<Element> createCartridgeClean(const QDomElement &node, NodeDesc *category,
                                                  Element *parentElement);
    std::unique_ptr<Element> createAlignSFP(const QDomElement &node, NodeDesc *category,
                                            Element *parentElement);
    std::unique_ptr<Element> createAlignMFP(const QDomElement &node, NodeDesc *category,
                                            Element *parentElement);
    void readMembers(ComplexElement *group, const QDomElement &node, NodeDesc *category);
    std::unique_ptr<Parameter> readParameter(const QDomElement &node) const;
    std::unique_ptr<PaperSizeParameter> readPaperSizeParameter(const QDomElement &node) const;

    // Dependency records and wiring (settingsparserrules.cpp).
    void addBuiltInGatewayRule(QDomElement &deps);
    void addExtraDependencies(QDomElement &deps);
    std::unique_ptr<Dependency> createDependency(const QDomElement &node) const;
    std::unique_ptr<Constraint> createConstraint(const QDomElement &node) const;
    std::unique_ptr<Condition> createCondition(const QDomElement &node) const;
    std::unique_ptr<ConditionNode> createConditionNode(const QDomElement &node) const;
    std::unique_ptr<Attribute> createAttribute(const QDomElement &node) const;
    std::unique_ptr<RefAttribute> createRefAttribute(const QDomElement &node) const;
    void resolveReference(Attribute &attribute, const QDomElement &node) const;
    void wireElement(Element *element, const QHash<QString, QList<Dependency *>> &dependentsByNode);

    bool addChange(Element *e);
    bool generateButton(Element *e);
    QString readBook(const QString &keyword) const;

    std::unique_ptr<NodeDesc> m_pRoot;
    DependencyList m_dependencies;
    ChangeGenerator m_changes;
    std::unique_ptr<AboutInfo> m_pAbout;

    // First match by id in findElement's order, rebuilt with the tree.
    QHash<QString, Element *> m_elementIndex;
    // First record by id, rebuilt with the records.
    QHash<QString, Dependency *> m_dependencyIndex;
    // Counts what the parse builds; the rule builders count too, hence mutable.
    mutable DescriptionLimits m_limits;
    // Nesting level of the category or group being read.
    int m_depth = 0;

    // Keeps m_depth right on every way out of a nested read.
    class DepthGuard
    {
    public:
        explicit DepthGuard(int &depth) : m_depth(depth) { ++m_depth; }
        ~DepthGuard() { --m_depth; }
        DepthGuard(const DepthGuard &) = delete;
        DepthGuard &operator=(const DepthGuard &) = delete;

    private:
        int &m_depth;
    };
};

#include "model/settingsparser.h"

#include "base/debuglog.h"
#include "model/aboutinfo.h"
#include "model/complexelement.h"
#include "model/dependency.h"
#include "model/element.h"
#include "model/elementtype.h"
#include "model/nodedesc.h"

#include <QFile>
#include <QVariant>

namespace {

const QString SettingsPath = QStringLiteral("root/PrinterSettingsInfo");

// Types whose change document says PRESSED: the plain button and the four
// maintenance buttons that the device carries out itself.
bool isPressedType(int type)
{
    switch (type) {
    case stButton:
    case stInkTestPagePrint_XML:
    case stInkCartridgeClean_XML:
    case stInkCartridgeAlignSFP_XML:
    case stInkCartridgeAlignMFP_XML:
        return true;
    default:
        return false;
    }
}

bool hasMembers(const Element *element)
{
    return element->type() == stGroup || element->type() == stForm;
}

// Pre-order over the elements below top (top itself excluded), without
// recursion. visit(element, depth) gets depth 1 for top's children and
// returns false to stop.
template <typename Visit> void visitElementsBelow(const QDomNode &top, Visit visit)
{
    QDomNode node = top.firstChild();
    int depth = 1;
    while (!node.isNull()) {
        if (node.isElement()) {
            if (!visit(node.toElement(), depth))
                return;
            const QDomNode child = node.firstChild();
            if (!child.isNull()) {
                node = child;
                ++depth;
                continue;
            }
        }
        for (;;) {
            const QDomNode next = node.nextSibling();
            if (!next.isNull()) {
                node = next;
                break;
            }
            node = node.parentNode();
            if (--depth == 0)
                return;
        }
    }
}

} // namespace

SettingsParser::SettingsParser() = default;

SettingsParser::SettingsParser(const QString &text) : DomParser(text)
{}

SettingsParser::SettingsParser(QFile *file) : DomParser(file)
{}

SettingsParser::~SettingsParser()
{
    // The elements go first: they point at the dependency records.
    m_pRoot.reset();
    m_pAbout.reset();
}

bool SettingsParser::parse()
{
    m_limits.restart();
    const bool result = readPrinterSettings();
    if (!m_limits.exceeded()) {
        (void)readDependencies();
        wireDependencies();
    }
    if (!m_limits.exceeded())
        return result;
    // Deviation: a description past one of the limits is refused as a whole
    // (no tree), so the program ends with its start-up error instead of
    // running out of memory or time on it. The elements go first: they point
    // at the records.
    m_elementIndex.clear();
    m_pRoot.reset();
    m_dependencyIndex.clear();
    m_dependencies.clear();
    return false;
}

bool SettingsParser::readPrinterSettings()
{
    if (!isValid()) {
        DebugLog("SettingsParser is invalid");
        return false;
    }
    const QDomNode settings = findPath(splitPath(SettingsPath));
    if (settings.isNull()) {
        DebugLog("SettingsParser::readPrinterSettings() can't go to %s", qPrintable(SettingsPath));
        return false;
    }

    renameSubnetMasks();
    m_elementIndex.clear();
    m_pRoot.reset();
    m_depth = 0;
    m_pRoot = readNode(settings.toElement(), nullptr);
    buildElementIndex();
    return true;
}

// Older devices describe the subnet mask as a plain address; it has to be
// checked as a mask.
void SettingsParser::renameSubnetMasks()
{
    const QString type = QStringLiteral("TYPE");
    visitElementsBelow(document(), [&](QDomElement element, int) {
        if (element.tagName() == QLatin1String("SubnetMask") && hasAttribute(element, type) &&
            attribute(element, type) == QLatin1String("IPADDRESS"))
            element.setAttribute(type, QStringLiteral("SUBNETMASK"));
        return true;
    });
}

std::unique_ptr<NodeDesc> SettingsParser::readNode(const QDomElement &node, NodeDesc *parent)
{
    const QString id = node.tagName();
    const QString key = attribute(node, QStringLiteral("STRING"));
    auto category = std::make_unique<NodeDesc>(id, key, parent);
    category->setTitle(key.isEmpty() ? id : key);
    category->setDescription(key.isEmpty() ? id : key);

    if (m_depth >= MaxNestingDepth) {
        DebugLog("SettingsParser::readNode(): <%s> lies %d levels deep; what it holds is left out",
                 qPrintable(id), m_depth);
        return category;
    }
    const DepthGuard guard(m_depth);

    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.tagName() == QLatin1String("WirelessSetting"))
            continue;
        const int type = ElementTypeFromKeyword(attribute(child, QStringLiteral("TYPE")));
        if (type == stUnknown)
            continue;
        if (!m_limits.admit(DescriptionLimits::Settings))
            break;
        if (type == stUnnamed || type == stInkJetMaintenance) {
            category->addChild(readNode(child, category.get()));
            continue;
        }
        if (std::unique_ptr<Element> element = createElement(child, type, category.get(), nullptr))
            category->addElement(std::move(element));
    }
    return category;
}

std::unique_ptr<Element> SettingsParser::createElement(const QDomElement &node, int type, NodeDesc *category,
                                                       Element *parentElement)
{
    std::unique_ptr<Element> element;
    switch (type) {
    case stList:
    case stCheckbox:
    case stRadio:
    case stPaperSize:
        element = createList(node, category, parentElement);
        break;
    case stInteger:
        element = createInteger(node, category, parentElement);
        break;
    case stText:
        element = createStaticText(node, category, parentElement);
        break;
    case stIPAddress:
    case stSubnetMask:
        element = createAddress(node, category, parentElement);
        break;
    case stFloat:
        element = createFloat(node, category, parentElement);
        break;
    case stButton:
        element = createButton(node, category, parentElement);
        break;
    case stGroup:
        element = createGroup(node, category, parentElement);
        break;
    case stForm:
        element = createPopup(node, category, parentElement);
        break;
    case stSlider:
        element = createSlider(node, category, parentElement);
        break;
    case stAbout:
        element = createAbout(category, parentElement);
        break;
    case stPhoneBook:
        element = createPhoneBook(node, category, parentElement);
        break;
    case stEmailBook:
        element = createEmailBook(node, category, parentElement);
        break;
    case stAddressBook:
        element = createAddressBook(node, category, parentElement);
        break;
    case stEdit:
    case stDialEdit:
        element = createEditBox(node, category, parentElement);
        break;
    case stInkTestPagePrint:
    case stInkTestPagePrint_XML:
        element = createTestPage(node, category, parentElement);
        break;
    case stInkCartridgeClean:
    case stInkCartridgeClean_XML:
        element = createCartridgeClean(node, category, parentElement);
        break;
    case stInkCartridgeAlignSFP:
    case stInkCartridgeAlignSFP_XML:
        element = createAlignSFP(node, category, parentElement);
        break;
    case stInkCartridgeAlignMFP:
    case stInkCartridgeAlignMFP_XML:
        element = createAlignMFP(node, category, parentElement);
        break;
    default:
        // 0, 1 and 20 are no settings.
        break;
    }
    if (!element) {
        DebugLog("!!! The following element has been skipped: !!!");
        dumpNode(node);
    }
    return element;
}

void SettingsParser::buildElementIndex()
{
    m_elementIndex.clear();
    walkLookupOrder([this](Element *element) {
        if (!m_elementIndex.contains(element->id()))
            m_elementIndex.insert(element->id(), element);
        return true;
    });
}

void SettingsParser::setAboutInfo(const AboutInfo &info)
{
    m_pAbout = std::make_unique<AboutInfo>(info);
}

Element *SettingsParser::findElement(const QString &id) const
{
    if (!m_pRoot)
        return nullptr;
    return m_elementIndex.value(id, nullptr);
}

Dependency *SettingsParser::findDependency(const QString &id) const
{
    return m_dependencyIndex.value(id, nullptr);
}

QList<Element *> SettingsParser::membersOf(Element *element)
{
    const auto *group = qobject_cast<const ComplexElement *>(element);
    return group ? group->elements() : QList<Element *>();
}

bool SettingsParser::walk(const Visitor &visitor) const
{
    if (!m_pRoot)
        return true;
    return walkFrom({m_pRoot.get()}, {}, visitor);
}

bool SettingsParser::walkLookupOrder(const Visitor &visitor) const
{
    if (!m_pRoot)
        return true;
    std::vector<const NodeDesc *> categories;
    for (const auto &child : m_pRoot->children())
        categories.push_back(child.get());
    return walkFrom(std::move(categories), {}, visitor);
}

bool SettingsParser::walkFrom(std::vector<const NodeDesc *> categories, std::vector<Element *> elements,
                              const Visitor &visitor)
{
    // Work items on an explicit stack, pushed in reverse so they come off in
    // document order: the elements first, then the categories.
    struct Item
    {
        const NodeDesc *category;
        Element *element;
    };
    std::vector<Item> stack;
    for (auto it = categories.rbegin(); it != categories.rend(); ++it)
        stack.push_back({*it, nullptr});
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        stack.push_back({nullptr, *it});

    while (!stack.empty()) {
        const Item item = stack.back();
        stack.pop_back();
        if (item.element) {
            if (!visitor(item.element))
                return false;
            if (hasMembers(item.element)) {
                const QList<Element *> members = membersOf(item.element);
                for (auto it = members.rbegin(); it != members.rend(); ++it)
                    stack.push_back({nullptr, *it});
            }
            continue;
        }
        const auto &children = item.category->children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({it->get(), nullptr});
        const auto &own = item.category->elements();
        for (auto it = own.rbegin(); it != own.rend(); ++it)
            stack.push_back({nullptr, it->get()});
    }
    return true;
}

QString SettingsParser::getChanges(const QString &id)
{
    DebugLog("SettingsParser::getChanges(<%s>)", qPrintable(id));
    if (id.isEmpty()) {
        m_changes.reset();
        walk([this](Element *element) { return addChange(element); });
        return m_changes.getChanges();
    }

    Element *e = findElement(id);
    DebugLog("ie=%p", static_cast<void *>(e));
    if (e) {
        DebugLog("ie->type()=%d", e->type());
        if (isPressedType(e->type()))
            return getButton(e);
        if (e->type() == stForm) {
            m_changes.reset();
            const QList<Element *> members = membersOf(e);
            walkFrom({}, std::vector<Element *>(members.cbegin(), members.cend()),
                     [this](Element *element) { return addChange(element); });
            return m_changes.getChanges();
        }
    }
    return QString("");
}

// The object name holds the value last read from or committed to the device.
// QObject keeps no empty name apart from an unset one (setting "" on an unset
// name leaves it null), so null and empty count as the same value here.
bool SettingsParser::addChange(Element *e)
{
    if (!e->isConcrete())
        return true;
    if (e->property("current").toString().toLatin1() == e->objectName().toLatin1())
        return true;
    QDomElement settings = m_changes.ensurePath(splitPath(SettingsPath));
    settings.appendChild(m_changes.createDescription(e));
    return true;
}

QString SettingsParser::getButton(Element *e)
{
    DebugLog("SettingsParser::getButton(%p)", static_cast<void *>(e));
    if (!e)
        return QString("");
    m_changes.reset();
    m_changes.setButton(e);
    walk([this](Element *element) { return generateButton(element); });
    m_changes.setButton(nullptr);
    return m_changes.getChanges();
}

bool SettingsParser::generateButton(Element *e)
{
    DebugLog("generateButton");
    const IElement *button = m_changes.button();
    if (button && isPressedType(e->type()) && e->id() == button->id()) {
        QDomElement settings = m_changes.ensurePath(splitPath(SettingsPath));
        settings.appendChild(m_changes.createDescription(e));
    }
    return true;
}

QString SettingsParser::readPhoneBook() const
{
    return readBook(QStringLiteral("PHONEBOOK"));
}

QString SettingsParser::readEmailBook() const
{
    return readBook(QStringLiteral("EMAILBOOK"));
}

QString SettingsParser::readAddressBook() const
{
    return readBook(QStringLiteral("USERBASEDADDRESSBOOK"));
}

QString SettingsParser::readBook(const QString &keyword) const
{
    if (!isValid()) {
        DebugLog("SettingsParser is invalid");
        return QString();
    }
    const QDomNode settings = findPath(splitPath(SettingsPath));
    if (settings.isNull()) {
        DebugLog("SettingsParser::readPrinterSettings() can't go to %s", qPrintable(SettingsPath));
        return QString();
    }

    const QString type = QStringLiteral("TYPE");
    QDomElement book;
    visitElementsBelow(settings, [&](const QDomElement &element, int) {
        if (hasAttribute(element, type) && attribute(element, type) == keyword)
            book = element;
        return book.isNull();
    });
    if (book.isNull())
        return QString();

    // The text writer descends recursively; what the tools get stays within
    // the nesting the rest of the description is read to.
    bool tooDeep = false;
    visitElementsBelow(book, [&](const QDomElement &, int depth) {
        tooDeep = depth > MaxNestingDepth;
        return !tooDeep;
    });
    if (tooDeep) {
        DebugLog("SettingsParser: <%s> nests deeper than %d levels and is not passed on",
                 qPrintable(book.tagName()), MaxNestingDepth);
        return QString();
    }

    const QString text = elementText(book, 1);
    if (text.isEmpty())
        return QString();
    return m_changes.header() + text;
}

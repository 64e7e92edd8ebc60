// The walk over the translatable texts of the model: which objects have
// texts, and in which order (the order decides the order of the entries a
// translator adds to its document).
#include "model/complexelement.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/settingsparser.h"
#include "model/textlocalizer.h"

namespace {

using Visit = std::function<bool(ILocalizable *)>;

// Recursion is safe here: the parser cuts categories and groups off at
// SettingsParser::MaxNestingDepth.
bool visitElement(const Visit &visit, Element *element)
{
    if (!visit(element))
        return false;
    if (element->isComplex()) {
        if (const auto *group = qobject_cast<ComplexElement *>(element)) {
            for (Element *member : group->elements()) {
                if (!visitElement(visit, member))
                    return false;
            }
        }
    }
    if (element->isList()) {
        if (const auto *list = qobject_cast<ListElement *>(element)) {
            for (const auto &option : list->parameters()) {
                if (!visit(option.get()))
                    return false;
            }
        }
    }
    return true;
}

bool visitNode(const Visit &visit, NodeDesc *node, bool isRoot)
{
    if (!isRoot && !visit(node))
        return false;
    for (const auto &element : node->elements()) {
        if (!visitElement(visit, element.get()))
            return false;
    }
    for (const auto &child : node->children()) {
        if (!visitNode(visit, child.get(), false))
            return false;
    }
    return true;
}

} // namespace

bool SettingsParser::forEachLocalizable(const std::function<bool(ILocalizable *)> &visit) const
{
    return !root() || visitNode(visit, root(), true);
}

bool SettingsParser::translate(TextLocalizer &localizer)
{
    if (!localizer.beginPass())
        return false;
    return forEachLocalizable([&localizer](ILocalizable *object) { return localizer.localize(object); });
}

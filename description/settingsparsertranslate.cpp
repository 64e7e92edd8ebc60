// The localization pass of the description parser: which objects get texts
// from the translation document, and in which order (the order decides the
// order of the entries the pass adds to the document).
#include "app/translator.h"
#include "description/nodedesc.h"
#include "description/settingsparser.h"
#include "elements/complexelement.h"
#include "elements/listelement.h"

namespace {

// Recursion is safe here: the parser cuts categories and groups off at
// SettingsParser::MaxNestingDepth.
bool translateElement(Translator &translator, const QDomNode &translation, Element *element)
{
    if (!translator.localize(element, translation))
        return false;
    if (element->isComplex()) {
        if (const auto *group = qobject_cast<ComplexElement *>(element)) {
            for (Element *member : group->elements()) {
                if (!translateElement(translator, translation, member))
                    return false;
            }
        }
    }
    if (element->isList()) {
        if (const auto *list = qobject_cast<ListElement *>(element)) {
            for (const auto &option : list->parameters()) {
                if (!translator.localize(option.get(), translation))
                    return false;
            }
        }
    }
    return true;
}

bool translateNode(Translator &translator, const QDomNode &translation, NodeDesc *node, bool isRoot)
{
    if (!isRoot && !translator.localize(node, translation))
        return false;
    for (const auto &element : node->elements()) {
        if (!translateElement(translator, translation, element.get()))
            return false;
    }
    for (const auto &child : node->children()) {
        if (!translateNode(translator, translation, child.get(), false))
            return false;
    }
    return true;
}

} // namespace

bool SettingsParser::translate(Translator &translator)
{
    const QDomNode translation =
        translator.createPath(DomParser::splitPath(QStringLiteral("root/Translation")));
    if (translation.isNull())
        return false;
    return !root() || translateNode(translator, translation, root(), true);
}

#include "model/selfchecks.h"

#include "model/element.h"
#include "model/nodedesc.h"

#include <vector>

void RunSelfChecks(NodeDesc *root)
{
    if (!root)
        return;
    // Iterative, children before elements: the order in which the window
    // makes its rows. Each entry is a node and whether its children are done.
    std::vector<std::pair<NodeDesc *, bool>> stack{{root, false}};
    while (!stack.empty()) {
        const auto [node, childrenDone] = stack.back();
        if (!childrenDone) {
            stack.back().second = true;
            const auto &children = node->children();
            for (auto child = children.rbegin(); child != children.rend(); ++child)
                stack.emplace_back(child->get(), false);
            continue;
        }
        stack.pop_back();
        for (const auto &element : node->elements())
            (void)element->checkConstraints(nullptr, true);
    }
}

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
        auto &[node, childrenDone] = stack.back();
        if (!childrenDone) {
            childrenDone = true;
            NodeDesc *parent = node;
            const auto &children = parent->children();
            for (auto child = children.rbegin(); child != children.rend(); ++child)
                stack.emplace_back(child->get(), false);
            continue;
        }
        NodeDesc *done = node;
        stack.pop_back();
        for (const auto &element : done->elements())
            (void)element->checkConstraints(nullptr, true);
    }
}

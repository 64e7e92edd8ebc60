#pragma once

class ComplexElement;
class Element;
class NodeDesc;

// Walks over settings with a visitor. The visitor gets each element and the
// argument given to the walk, and returns false to stop the walk; a walk
// returns whether it ran to the end. A captureless lambda converts to this.
using EnumerateCallback = bool (*)(Element *element, void *argument);

// Visits the group itself, then its members in order, walking member groups
// (and pop-up forms) the same way at any depth.
bool enumerate(ComplexElement *group, EnumerateCallback callback, void *argument);

// Visits the group's direct members only, in order.
bool enumerateMembers(ComplexElement *group, EnumerateCallback callback, void *argument);

// Visits a category's elements in order (groups as enumerate above), then its
// sub-categories in order, at any depth.
bool enumerate(NodeDesc *node, EnumerateCallback callback, void *argument);

// Visitors for the walks above. Each passes over (returning true) the
// elements that are not of the kind it handles; the argument is unused
// except where said.

// Value settings: whether the value is valid (the setting reports why not).
bool ValidateCallback(Element *element, void *argument);
// Value settings: the current value becomes the committed one.
bool AcceptCallback(Element *element, void *argument);
// Value settings: the committed value becomes current again, and is reported.
bool RestoreCallback(Element *element, void *argument);
// Settings with a factory value: current and the control take it where it differs.
bool ResetToFactoryCallback(Element *element, void *argument);
// Every setting: appends its title and description, escaped for rich text, to
// the QString the argument points to.
bool CollectHelpCallback(Element *element, void *argument);

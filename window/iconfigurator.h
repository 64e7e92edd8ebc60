#pragma once

class NodeDesc;

// What the settings window asks of the application controller. The window
// never reads or writes the device itself: it gets the settings tree from
// here and hands every write back through the same object.
class IConfigurator
{
public:
    virtual ~IConfigurator() = default;

    // Reads the description (again) and returns the root of the settings
    // tree, or null when there is none. The controller keeps it; the window
    // only points into it.
    virtual NodeDesc *loadSettings() = 0;
};

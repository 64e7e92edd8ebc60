#include "app/startup.h"

#include "app/debuglog.h"

int VelmoraMain(int argc, char **argv)
{
    (void)argv;
    if (argc < 3) {
        DebugLog("Usage: %s <devPath> <devName>", "Velmora");
        return 1;
    }
    return 1;
}

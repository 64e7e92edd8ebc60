#include "resources/images.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must not be used inside a namespace.
static void initWindowImages()
{
    Q_INIT_RESOURCE(window_images);
}

static void initMaintenanceImages()
{
    Q_INIT_RESOURCE(maintenance_images);
}

static void cleanupMaintenanceImages()
{
    Q_CLEANUP_RESOURCE(maintenance_images);
}

void RegisterWindowImages()
{
    static const bool registered = (initWindowImages(), true);
    Q_UNUSED(registered);
}

void RegisterMaintenanceImages()
{
    initMaintenanceImages();
}

void UnregisterMaintenanceImages()
{
    cleanupMaintenanceImages();
}

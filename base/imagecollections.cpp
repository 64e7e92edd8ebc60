#include "base/imagecollections.h"

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

namespace {
// The resource compiler registers every linked collection while the program
// loads. The maintenance pictures are meant to exist only while the
// controller holds them, so the first use of the collections takes that
// early registration back unless the controller has already claimed them.
bool maintenanceSettled = false;
int generation = 0;

void settleMaintenanceImages()
{
    if (maintenanceSettled)
        return;
    maintenanceSettled = true;
    cleanupMaintenanceImages();
    ++generation;
}
} // namespace

void RegisterWindowImages()
{
    static const bool registered = (initWindowImages(), ++generation, true);
    Q_UNUSED(registered);
    settleMaintenanceImages();
}

void RegisterMaintenanceImages()
{
    maintenanceSettled = true;
    initMaintenanceImages();
    ++generation;
}

void UnregisterMaintenanceImages()
{
    maintenanceSettled = true;
    cleanupMaintenanceImages();
    ++generation;
}

int ImageCollectionsGeneration()
{
    return generation;
}

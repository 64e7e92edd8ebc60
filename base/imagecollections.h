#pragma once

// The embedded picture collections. Both live under ":/images/<name>"; the
// window collection is always there once registered, the maintenance
// collection only while the controller has it registered.
void RegisterWindowImages();
void RegisterMaintenanceImages();
void UnregisterMaintenanceImages();
// Counts the registrations and removals of collections: a picture found by
// name before one of them may be gone, or newly there, after it.
int ImageCollectionsGeneration();

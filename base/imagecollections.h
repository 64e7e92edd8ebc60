#pragma once

// The embedded picture collections. Both live under ":/images/<name>"; the
// window collection is always there once registered, the maintenance
// collection only while the controller has it registered.
void RegisterWindowImages();
void RegisterMaintenanceImages();
void UnregisterMaintenanceImages();

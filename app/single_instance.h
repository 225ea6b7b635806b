#pragma once

namespace tessaly {

// Looks for a running instance by its main window; if there is one, brings it
// to the front (restoring it when minimised) and returns true.
bool ActivateRunningInstance();

}  // namespace tessaly

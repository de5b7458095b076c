#pragma once

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/SessionBackends.h"

#include <memory>

class WaylandConnection;

/// Fills the slots of `services` that `choice` gives to a Wayland backend.
void addWaylandBackends(PlatformServices &services, const BackendChoice &choice,
    const std::shared_ptr<WaylandConnection> &connection, const SessionEnvironment &env,
    const RunningApp &own);

#pragma once

#include "Solitask/platform/PlatformServices.h"

/// Fills the window, frame and permission slots of `services` from KWin:
/// our script inside it for the windows, ScreenShot2 for frames.
void addKdeBackends(PlatformServices &services, const RunningApp &own);

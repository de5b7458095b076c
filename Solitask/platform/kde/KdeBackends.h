#pragma once

#include "Solitask/platform/PlatformServices.h"

/// Fills the window, frame, permission and hot key slots of `services` from
/// KWin: our script inside it for the windows, ScreenShot2 for frames, KDE's
/// global shortcuts for the hot key.
void addKdeBackends(PlatformServices &services, const RunningApp &own);

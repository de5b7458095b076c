#pragma once

#include "Solitask/session/WitnessPort.h"

/// The capture the preferences ask for now: private apps, the camera rule,
/// the frame width and the idle limit.
namespace CaptureSettings {

CaptureRequest current();

} // namespace CaptureSettings

#pragma once

#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/wayland/WaylandWindowSource.h"

/// What every Wayland capturer does around its copy of the screen: no frame
/// unless the windows can be placed, and every place they held before and
/// after the copy painted over, this process's own windows included.
namespace SceneBlanking {

/// The colour of painted-over areas, as on X11.
constexpr QRgb blankColour = 0xff303030;

/// Why no frame may be taken with `scene`; none when one may.
std::optional<CaptureResult> refusal(const std::optional<WaylandScene> &scene);
/// The picture with the windows of `before` and `after` painted over;
/// withheld when the windows could not be read again.
CaptureResult finish(
    QImage image, const WaylandScene &before, const std::optional<WaylandScene> &after);

} // namespace SceneBlanking

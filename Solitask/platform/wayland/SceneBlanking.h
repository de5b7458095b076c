#pragma once

#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/linux/BlankRegion.h"

#include <QImage>

#include <optional>

struct WaylandScene;

/// What every Wayland capturer does around its copy of the screen: no frame
/// unless the windows can be placed, and every place they held before and
/// after the copy painted over, this process's own windows included.
namespace SceneBlanking {

/// The colour of painted-over areas, as on X11.
constexpr QRgb colour = 0xff303030;

/// This process's visible windows when Qt runs on XWayland, where the strip is
/// an unmanaged window that the compositor's window list leaves out; in the
/// layout's coordinates, hidden.
QList<StackedWindow> ownWindows();

/// Paints over the hidden windows of `scene`, whose places are in layout
/// coordinates, in `image`, the picture of `scene.outputRect` (the whole
/// image when empty) in the output's pixels.
void paint(QImage &image, const WaylandScene &scene);

/// Why no frame may be taken with `scene`; none when one may.
std::optional<CaptureResult> refusal(const std::optional<WaylandScene> &scene);

/// The picture with the windows of `before` and `after` painted over, our
/// own too; withheld when the windows could not be read again.
CaptureResult finish(
    QImage image, const WaylandScene &before, const std::optional<WaylandScene> &after);

} // namespace SceneBlanking

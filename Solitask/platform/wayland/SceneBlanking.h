#pragma once

#include "Solitask/platform/linux/BlankRegion.h"

#include <QImage>

struct WaylandScene;

/// Painting over hidden windows in a picture of a Wayland desktop.
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

} // namespace SceneBlanking

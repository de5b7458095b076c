#pragma once

class QWidget;

/// One stacking rule for every surface: the gate above the strip above
/// ordinary windows; a surface's own menus and message boxes above it.
namespace Stacking {

enum class Layer { ordinary, strip, gate };

/// Marks a top-level window as one of the surfaces' layers.
void assign(QWidget *window, Layer layer);
Layer layerOf(const QWidget *window);

/// Whether a window of the gate's layer is on screen.
bool gateCovering();

/// Puts the shown strip where the rule wants it: under a covering gate,
/// else above everything. Called when a layer's window opens or goes, never
/// on a timer, so the strip's own menus stay above it.
void settle();

/// Keeps `window` (a message box, a dialog) above every surface while it lives.
void aboveSurfaces(QWidget *window);

} // namespace Stacking

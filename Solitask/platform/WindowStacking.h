#pragma once

class QWindow;

/// Stacking of windows the window manager leaves alone.
namespace WindowStacking {

/// Puts `window` (one that bypasses the window manager) directly below the
/// window manager's frame around `above`; nothing when either is not on the
/// same X screen or not yet mapped.
void placeBelow(QWindow *window, QWindow *above);

} // namespace WindowStacking

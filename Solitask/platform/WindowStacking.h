#pragma once

class QWindow;

/// Stacking of windows the window manager leaves alone.
namespace WindowStacking {

/// Puts `window` (one that bypasses the window manager) directly below the
/// window manager's frame around `above`; nothing when either is not on the
/// same X screen or not yet mapped.
void placeBelow(QWindow *window, QWindow *above);

/// Where `window` (inside its frame) stands among the top-level windows of
/// its screen, counted from the bottom; -1 when it cannot be told.
int position(QWindow *window);

} // namespace WindowStacking

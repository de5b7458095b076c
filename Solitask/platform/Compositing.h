#pragma once

/// Whether windows with transparent parts are shown as such. On X11 that
/// takes a compositing manager; without one the transparent pixels show black.
namespace Compositing {

/// True on a non-X11 platform, and on X11 while a compositing manager owns
/// the screen's _NET_WM_CM selection.
bool active();

} // namespace Compositing

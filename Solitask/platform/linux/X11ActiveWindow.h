#pragma once

class X11Connection;
class X11Properties;

/// The client window the person works in: the window manager's
/// _NET_ACTIVE_WINDOW, else (no window manager, or one that does not publish
/// it) the client holding the keyboard focus, or under the pointer while the
/// focus follows it.
namespace X11ActiveWindow {

/// 0 when there is none.
unsigned long find(X11Connection &connection, X11Properties &properties);
/// The window manager's choice alone, 0 when it names none.
unsigned long published(X11Connection &connection, X11Properties &properties);

} // namespace X11ActiveWindow

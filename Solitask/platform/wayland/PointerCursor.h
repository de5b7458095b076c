#pragma once

#include <cstdint>
#include <memory>

class WaylandConnection;
struct wl_compositor;
struct wl_cursor_theme;
struct wl_pointer;
struct wl_surface;

/// The arrow of the person's cursor theme, shown while the pointer is over one
/// of our own surfaces: the compositor leaves that to the client.
class PointerCursor
{
public:
    /// Null without a compositor global, shared memory or any cursor theme.
    static std::unique_ptr<PointerCursor> create(WaylandConnection &connection);
    ~PointerCursor();
    PointerCursor(const PointerCursor &) = delete;
    PointerCursor &operator=(const PointerCursor &) = delete;

    /// Shows the arrow for the pointer that just entered (with that event's serial).
    void show(wl_pointer *pointer, uint32_t serial);

private:
    PointerCursor(wl_compositor *compositor, wl_cursor_theme *theme);

    wl_compositor *m_compositor;
    wl_cursor_theme *m_theme;
    wl_surface *m_surface;
};

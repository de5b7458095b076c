#include "Solitask/platform/wayland/PointerCursor.h"

#include "Solitask/platform/wayland/WaylandConnection.h"

#include <QByteArray>

#include <wayland-client.h>
#include <wayland-cursor.h>

namespace {

constexpr int defaultSize = 24;

wl_cursor *arrow(wl_cursor_theme *theme)
{
    for (const char *name : {"default", "left_ptr"}) {
        if (wl_cursor *cursor = wl_cursor_theme_get_cursor(theme, name))
            return cursor;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<PointerCursor> PointerCursor::create(WaylandConnection &connection)
{
    if (!connection.shm())
        return nullptr;
    // The theme the session names, as every other client reads it.
    const QByteArray name = qgetenv("XCURSOR_THEME");
    bool sized = false;
    const int size = qEnvironmentVariableIntValue("XCURSOR_SIZE", &sized);
    wl_cursor_theme *theme = wl_cursor_theme_load(name.isEmpty() ? nullptr : name.constData(),
        sized && size > 0 ? size : defaultSize, connection.shm());
    if (!theme)
        return nullptr;
    auto *compositor = static_cast<wl_compositor *>(connection.bind(&wl_compositor_interface, 1));
    if (!compositor || !arrow(theme)) {
        if (compositor)
            wl_compositor_destroy(compositor);
        wl_cursor_theme_destroy(theme);
        return nullptr;
    }
    return std::unique_ptr<PointerCursor>(new PointerCursor(compositor, theme));
}

PointerCursor::PointerCursor(wl_compositor *compositor, wl_cursor_theme *theme)
    : m_compositor(compositor)
    , m_theme(theme)
    , m_surface(wl_compositor_create_surface(compositor))
{
}

PointerCursor::~PointerCursor()
{
    wl_surface_destroy(m_surface);
    wl_cursor_theme_destroy(m_theme);
    wl_compositor_destroy(m_compositor);
}

void PointerCursor::show(wl_pointer *pointer, uint32_t serial)
{
    wl_cursor_image *image = arrow(m_theme)->images[0];
    wl_surface_attach(m_surface, wl_cursor_image_get_buffer(image), 0, 0);
    wl_surface_damage(m_surface, 0, 0, int32_t(image->width), int32_t(image->height));
    wl_surface_commit(m_surface);
    wl_pointer_set_cursor(
        pointer, serial, m_surface, int32_t(image->hotspot_x), int32_t(image->hotspot_y));
}

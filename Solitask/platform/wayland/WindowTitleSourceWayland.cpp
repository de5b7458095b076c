#include "Solitask/platform/wayland/WindowTitleSourceWayland.h"

#include "Solitask/platform/wayland/WaylandWindowSource.h"

WindowTitleSourceWayland::WindowTitleSourceWayland(std::shared_ptr<WaylandWindowSource> windows)
    : m_windows(std::move(windows))
{
}

// The focused window of that process first, else its first titled window.
QString WindowTitleSourceWayland::windowTitle(qint32 pid)
{
    if (const auto focused = m_windows->focused(); focused && focused->app.pid == pid)
        return focused->title;
    for (const WaylandWindow &window : m_windows->windows()) {
        if (window.app.pid == pid && !window.title.isEmpty())
            return window.title;
    }
    return {};
}

QString WindowTitleSourceWayland::activeWindowTitle()
{
    const auto focused = m_windows->focused();
    return focused ? focused->title : QString();
}

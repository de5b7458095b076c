#include "Solitask/platform/wayland/ActiveAppSourceWayland.h"

#include "Solitask/platform/wayland/WaylandWindowSource.h"

ActiveAppSourceWayland::ActiveAppSourceWayland(
    std::shared_ptr<WaylandWindowSource> windows, RunningApp own)
    : m_windows(std::move(windows))
    , m_own(std::move(own))
{
    connect(m_windows.get(), &WaylandWindowSource::focusChanged, this,
        &ActiveAppSourceWayland::focusChanged);
}

Support ActiveAppSourceWayland::support() const
{
    return m_windows->support();
}

std::optional<RunningApp> ActiveAppSourceWayland::frontmost()
{
    const auto window = m_windows->focused();
    if (!window)
        return std::nullopt;
    const RunningApp &app = window->app;
    if ((m_own.pid > 0 && app.pid == m_own.pid) || app.bundleID == m_own.bundleID)
        return m_own;
    return app;
}

// Focus moving between two windows of one application is no activation.
void ActiveAppSourceWayland::focusChanged()
{
    const auto app = frontmost();
    if (!app || (m_last && m_last->bundleID == app->bundleID && m_last->pid == app->pid))
        return;
    m_last = app;
    Q_EMIT activated(*app);
}

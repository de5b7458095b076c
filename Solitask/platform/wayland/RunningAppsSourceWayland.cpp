#include "Solitask/platform/wayland/RunningAppsSourceWayland.h"

#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QSet>

RunningAppsSourceWayland::RunningAppsSourceWayland(
    std::shared_ptr<WaylandWindowSource> windows, RunningApp own)
    : m_windows(std::move(windows))
    , m_own(std::move(own))
{
}

QList<RunningApp> RunningAppsSourceWayland::runningApps()
{
    QList<RunningApp> apps;
    QSet<QString> seen {m_own.bundleID};
    for (const WaylandWindow &window : m_windows->windows()) {
        const RunningApp &app = window.app;
        if (app.bundleID.isEmpty() || (m_own.pid > 0 && app.pid == m_own.pid)
            || seen.contains(app.bundleID))
            continue;
        seen.insert(app.bundleID);
        apps.append(app);
    }
    return apps;
}

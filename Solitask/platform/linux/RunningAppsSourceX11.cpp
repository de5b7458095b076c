#include "Solitask/platform/linux/RunningAppsSourceX11.h"

#include "Solitask/platform/linux/X11Connection.h"

#include <QSet>

RunningAppsSourceX11::RunningAppsSourceX11(std::shared_ptr<X11Connection> connection,
    RunningApp own)
    : m_connection(std::move(connection))
    , m_properties(*m_connection)
    , m_identity(m_properties, std::move(own))
{
}

Support RunningAppsSourceX11::support() const
{
    if (!m_connection->isAlive())
        return Support::no(QStringLiteral("the X connection is lost"));
    return Support::yes();
}

// A window that goes away between the list and the reads of its properties
// reads as having no id, and is left out like any other window without one.
QList<RunningApp> RunningAppsSourceX11::runningApps()
{
    QList<RunningApp> apps;
    QSet<QString> seen;
    for (const unsigned long window : clientWindows()) {
        if (!isRegular(window))
            continue;
        const RunningApp app = m_identity.identify(window);
        if (app.bundleID.isEmpty() || isOwn(app) || seen.contains(app.bundleID))
            continue;
        seen.insert(app.bundleID);
        apps.append(app);
    }
    return apps;
}

QList<unsigned long> RunningAppsSourceX11::clientWindows()
{
    QList<unsigned long> windows;
    for (int screen = 0; screen < m_connection->screenCount(); ++screen)
        windows += m_properties.windows(m_connection->root(screen), "_NET_CLIENT_LIST");
    return windows;
}

// Panels and desktop backgrounds are clients too, but not applications the
// person works in.
bool RunningAppsSourceX11::isRegular(unsigned long window)
{
    const QList<unsigned long> types = m_properties.atoms(window, "_NET_WM_WINDOW_TYPE");
    return !types.contains(m_connection->atom("_NET_WM_WINDOW_TYPE_DOCK"))
        && !types.contains(m_connection->atom("_NET_WM_WINDOW_TYPE_DESKTOP"));
}

bool RunningAppsSourceX11::isOwn(const RunningApp &app) const
{
    const RunningApp &own = m_identity.own();
    return app.bundleID == own.bundleID || (app.pid != 0 && app.pid == own.pid);
}

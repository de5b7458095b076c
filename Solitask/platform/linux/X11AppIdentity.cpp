#include "Solitask/platform/linux/X11AppIdentity.h"

#include "Solitask/platform/linux/X11Properties.h"

#include <QCoreApplication>

X11AppIdentity::X11AppIdentity(X11Properties &properties, RunningApp own)
    : m_properties(properties)
    , m_own(std::move(own))
{
    m_own.pid = qint32(QCoreApplication::applicationPid());
}

RunningApp X11AppIdentity::identify(unsigned long window)
{
    RunningApp app;
    app.pid = qint32(m_properties.cardinal(window, "_NET_WM_PID").value_or(0));
    if (app.pid != 0 && app.pid == m_own.pid)
        return m_own;
    const QString wmClass = m_properties.wmClass(window).second;
    const QString entry = desktopId(window);
    app.bundleID = entry.isEmpty() ? wmClass : entry;
    app.name = m_names.name(app.bundleID);
    if (app.name.isEmpty())
        app.name = wmClass;
    return app;
}

bool X11AppIdentity::ask(unsigned long window)
{
    if (m_cache.contains(window))
        return false;
    for (const char *property :
        {"_NET_WM_PID", "WM_CLASS", "_GTK_APPLICATION_ID", "_KDE_NET_WM_DESKTOP_FILE"})
        m_properties.ask(window, property);
    return true;
}

QString X11AppIdentity::desktopId(unsigned long window)
{
    QString id = m_properties.utf8(window, "_GTK_APPLICATION_ID");
    if (id.isEmpty())
        id = m_properties.utf8(window, "_KDE_NET_WM_DESKTOP_FILE");
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id;
}

// Only a window whose identity is known is remembered: one read before its
// properties were set must be read again.
RunningApp X11AppIdentity::cached(unsigned long window)
{
    auto found = m_cache.constFind(window);
    if (found != m_cache.constEnd())
        return found.value();
    const RunningApp app = identify(window);
    if (!app.bundleID.isEmpty())
        m_cache.insert(window, app);
    return app;
}

void X11AppIdentity::keepOnly(const QSet<unsigned long> &alive)
{
    for (auto it = m_cache.begin(); it != m_cache.end();)
        it = alive.contains(it.key()) ? std::next(it) : m_cache.erase(it);
}

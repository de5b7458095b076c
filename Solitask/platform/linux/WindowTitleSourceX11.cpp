#include "Solitask/platform/linux/WindowTitleSourceX11.h"

#include "Solitask/platform/linux/X11ActiveWindow.h"
#include "Solitask/platform/linux/X11Connection.h"

#include <algorithm>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

WindowTitleSourceX11::WindowTitleSourceX11(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
    , m_properties(*m_connection)
{
}

Support WindowTitleSourceX11::support() const
{
    if (!m_connection->isAlive())
        return Support::no(QStringLiteral("the X connection is lost"));
    return Support::yes();
}

QString WindowTitleSourceX11::windowTitle(qint32 pid)
{
    if (pid == 0)
        return {};
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        QList<unsigned long> stack = m_properties.windows(m_connection->root(screen),
            "_NET_CLIENT_LIST_STACKING");
        std::reverse(stack.begin(), stack.end());
        for (unsigned long window : std::as_const(stack)) {
            if (m_properties.cardinal(window, "_NET_WM_PID").value_or(0) != pid
                || !isNormalVisible(window))
                continue;
            const QString title = m_properties.title(window);
            if (!title.isEmpty())
                return title;
        }
    }
    return {};
}

// The counterpart of a window in the normal layer: not a dock, desktop or
// other panel, and not minimised.
bool WindowTitleSourceX11::isNormalVisible(unsigned long window)
{
    const QList<unsigned long> types = m_properties.atoms(window, "_NET_WM_WINDOW_TYPE");
    for (const char *excluded : {"_NET_WM_WINDOW_TYPE_DOCK", "_NET_WM_WINDOW_TYPE_DESKTOP"}) {
        if (types.contains(m_connection->atom(excluded)))
            return false;
    }
    return !m_properties.atoms(window, "_NET_WM_STATE")
                .contains(m_connection->atom("_NET_WM_STATE_HIDDEN"));
}

QString WindowTitleSourceX11::activeWindowTitle()
{
    const unsigned long window = X11ActiveWindow::find(*m_connection, m_properties);
    return window == 0 ? QString() : m_properties.title(window);
}

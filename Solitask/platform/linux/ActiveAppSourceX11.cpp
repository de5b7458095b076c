#include "Solitask/platform/linux/ActiveAppSourceX11.h"

#include "Solitask/platform/linux/X11ActiveWindow.h"
#include "Solitask/platform/linux/X11Connection.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

ActiveAppSourceX11::ActiveAppSourceX11(std::shared_ptr<X11Connection> connection, RunningApp own)
    : m_connection(std::move(connection))
    , m_properties(*m_connection)
    , m_identity(m_properties, std::move(own))
{
    // Other backends select on the roots through this connection too: keep their masks.
    Display *display = m_connection->display();
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        const Window root = m_connection->root(screen);
        XWindowAttributes attributes {};
        XGetWindowAttributes(display, root, &attributes);
        XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
    }
    XFlush(display);
    m_lastActive = activeWindow();
    connect(m_connection.get(), &X11Connection::xEvent, this, &ActiveAppSourceX11::onEvent);
}

Support ActiveAppSourceX11::support() const
{
    if (!m_connection->isAlive())
        return Support::no(QStringLiteral("the X connection is lost"));
    return Support::yes();
}

unsigned long ActiveAppSourceX11::activeWindow()
{
    return X11ActiveWindow::find(*m_connection, m_properties);
}

std::optional<RunningApp> ActiveAppSourceX11::frontmost()
{
    const unsigned long window = activeWindow();
    if (window == 0)
        return std::nullopt;
    return m_identity.identify(window);
}

void ActiveAppSourceX11::onEvent(XEvent *event)
{
    if (event->type != PropertyNotify
        || event->xproperty.atom != m_connection->atom("_NET_ACTIVE_WINDOW"))
        return;
    const auto window = m_properties.window(event->xproperty.window, "_NET_ACTIVE_WINDOW");
    // Some window managers pass through None at every switch; counting it would
    // count every switch twice.
    if (!window || *window == None || *window == m_lastActive)
        return;
    m_lastActive = *window;
    Q_EMIT activated(m_identity.identify(*window));
}

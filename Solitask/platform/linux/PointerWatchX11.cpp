#include "Solitask/platform/linux/PointerWatchX11.h"

#include "Solitask/platform/linux/X11Connection.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

PointerWatchX11::PointerWatchX11(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
    connect(m_connection.get(), &X11Connection::xEvent, this, &PointerWatchX11::onEvent);
}

PointerWatchX11::~PointerWatchX11()
{
    if (m_window && m_connection->isAlive()) {
        XDestroyWindow(m_connection->display(), m_window);
        XFlush(m_connection->display());
    }
}

Support PointerWatchX11::support() const
{
    if (!m_connection->isAlive())
        return Support::no(QStringLiteral("the X connection is lost"));
    return Support::yes();
}

bool PointerWatchX11::ensureWindow()
{
    if (m_window)
        return true;
    if (!m_connection->isAlive())
        return false;
    Display *display = m_connection->display();
    const Window root = m_connection->defaultRoot();
    XSetWindowAttributes attributes {};
    attributes.override_redirect = True;
    attributes.event_mask = EnterWindowMask;
    m_window = XCreateWindow(display, root, 0, 0, 1, 1, 0, CopyFromParent, InputOnly, nullptr,
        CWOverrideRedirect | CWEventMask, &attributes);
    XStoreName(display, m_window, "Solitask hover band");
    // Windows mapped or restacked over the band would hide it: hear of them.
    // Other backends select on the root through this connection too; keep their mask.
    XWindowAttributes rootAttributes {};
    XGetWindowAttributes(display, root, &rootAttributes);
    XSelectInput(display, root, rootAttributes.your_event_mask | SubstructureNotifyMask);
    return true;
}

void PointerWatchX11::watch(const QRect &area, std::function<void()> entered)
{
    if (area.isEmpty() || !ensureWindow())
        return;
    m_entered = std::move(entered);
    Display *display = m_connection->display();
    XMoveResizeWindow(display, m_window, area.x(), area.y(), unsigned(area.width()),
        unsigned(area.height()));
    XMapRaised(display, m_window);
    XFlush(display);
}

void PointerWatchX11::stop()
{
    m_entered = nullptr;
    if (!m_window || !m_connection->isAlive())
        return;
    XUnmapWindow(m_connection->display(), m_window);
    XFlush(m_connection->display());
}

void PointerWatchX11::onEvent(XEvent *event)
{
    if (!m_entered)
        return;
    if (event->type == EnterNotify && event->xcrossing.window == m_window) {
        const std::function<void()> entered = std::move(m_entered);
        stop();
        entered();
        return;
    }
    // Something was mapped, or stacked right above the band (it was on top,
    // so whatever lands directly above it covers it): rise again. Reacting
    // only to those keeps two always-on-top windows from raising in turns
    // for ever over anything else.
    const bool covered = (event->type == MapNotify && event->xmap.window != m_window)
        || (event->type == ConfigureNotify && event->xconfigure.above == m_window);
    if (covered) {
        XRaiseWindow(m_connection->display(), m_window);
        XFlush(m_connection->display());
    }
}

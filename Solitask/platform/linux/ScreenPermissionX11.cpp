#include "Solitask/platform/linux/ScreenPermissionX11.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11PixelFormat.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

ScreenPermissionX11::ScreenPermissionX11(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
}

QString ScreenPermissionX11::openSystemSettings()
{
    return QStringLiteral("Nothing to allow: on an X11 desktop Solitask can see the screen "
                          "without a permission.");
}

Support ScreenPermissionX11::support() const
{
    if (!m_connection)
        return Support::no(QStringLiteral("no X display"));
    Display *display = m_connection->display();
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        const QString why = X11PixelFormat::unreadableReason(display, screen);
        if (!why.isEmpty())
            return Support::no(why);
    }
    return Support::yes();
}

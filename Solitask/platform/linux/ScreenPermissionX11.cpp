#include "Solitask/platform/linux/ScreenPermissionX11.h"

ScreenPermissionX11::ScreenPermissionX11(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
}

QString ScreenPermissionX11::openSystemSettings()
{
    return QStringLiteral("Nothing to allow: on an X11 desktop Solitask can see the screen "
                          "without a permission.");
}

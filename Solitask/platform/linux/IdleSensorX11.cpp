#include "Solitask/platform/linux/IdleSensorX11.h"

#include "Solitask/platform/linux/X11Connection.h"

#include <optional>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

IdleSensorX11::IdleSensorX11(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
    int event = 0, error = 0;
    m_extension = XScreenSaverQueryExtension(m_connection->display(), &event, &error);
}

Support IdleSensorX11::support() const
{
    if (!m_extension)
        return Support::no(QStringLiteral("the X server lacks MIT-SCREEN-SAVER"));
    return Support::yes();
}

namespace {

std::optional<XScreenSaverInfo> query(X11Connection &connection, bool extension)
{
    XScreenSaverInfo info {};
    if (!extension || !connection.isAlive()
        || !XScreenSaverQueryInfo(connection.display(), connection.defaultRoot(), &info))
        return std::nullopt;
    return info;
}

} // namespace

double IdleSensorX11::idleSeconds()
{
    const auto info = query(*m_connection, m_extension);
    return info ? double(info->idle) / 1000.0 : 0;
}

bool IdleSensorX11::screenSaverOn()
{
    const auto info = query(*m_connection, m_extension);
    return info && info->state == ScreenSaverOn;
}

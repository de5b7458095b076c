#include "Solitask/platform/linux/IdleSensorX11.h"

#include "Solitask/platform/linux/X11Connection.h"

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

double IdleSensorX11::idleSeconds()
{
    if (!m_extension || !m_connection->isAlive())
        return 0;
    XScreenSaverInfo info {};
    if (!XScreenSaverQueryInfo(m_connection->display(), m_connection->defaultRoot(), &info))
        return 0;
    return double(info.idle) / 1000.0;
}

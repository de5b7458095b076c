#include "Solitask/platform/linux/SoundX11Bell.h"

#include "Solitask/platform/linux/X11Connection.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

SoundX11Bell::SoundX11Bell(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
}

void SoundX11Bell::play()
{
    if (!m_connection->isAlive())
        return;
    // Percent relative to the base volume: -50 is half of it.
    XBell(m_connection->display(), -50);
    XFlush(m_connection->display());
}

#include "Solitask/platform/linux/GlobalHotKeyX11.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11ErrorTrap.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

constexpr unsigned int hotKeyModifiers = ControlMask | Mod1Mask;

} // namespace

GlobalHotKeyX11::GlobalHotKeyX11(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
    , m_keycode(XKeysymToKeycode(m_connection->display(), XK_o))
{
    connect(m_connection.get(), &X11Connection::xEvent, this, &GlobalHotKeyX11::onEvent);
}

GlobalHotKeyX11::~GlobalHotKeyX11()
{
    unregisterHotKey();
}

Support GlobalHotKeyX11::support() const
{
    if (m_keycode == 0)
        return Support::no(QStringLiteral("the keyboard has no O key"));
    return Support::yes();
}

unsigned int GlobalHotKeyX11::numLockMask() const
{
    XModifierKeymap *map = XGetModifierMapping(m_connection->display());
    const KeyCode numLock = XKeysymToKeycode(m_connection->display(), XK_Num_Lock);
    unsigned int mask = 0;
    for (int modifier = 0; map && modifier < 8; ++modifier) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (numLock != 0 && map->modifiermap[modifier * map->max_keypermod + k] == numLock)
                mask = 1u << modifier;
        }
    }
    if (map)
        XFreeModifiermap(map);
    return mask;
}

QList<unsigned int> GlobalHotKeyX11::modifierVariants() const
{
    const unsigned int numLock = numLockMask();
    QList<unsigned int> variants {0, LockMask};
    if (numLock != 0)
        variants += {numLock, numLock | LockMask};
    return variants;
}

int GlobalHotKeyX11::registerHotKey()
{
    unregisterHotKey();
    if (m_keycode == 0 || !m_connection->isAlive())
        return unsupportedStatus;
    Display *display = m_connection->display();
    // Another client's grab fails asynchronously with BadAccess; only the
    // synced trap tells whether the key is ours.
    X11ErrorTrap trap(display);
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        for (unsigned int variant : modifierVariants())
            XGrabKey(display, m_keycode, hotKeyModifiers | variant, m_connection->root(screen),
                False, GrabModeAsync, GrabModeAsync);
    }
    const int status = trap.sync();
    m_grabbed = true;
    if (status != 0)
        unregisterHotKey();
    return status;
}

void GlobalHotKeyX11::ungrabAll()
{
    Display *display = m_connection->display();
    X11ErrorTrap trap(display);
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        for (unsigned int variant : modifierVariants())
            XUngrabKey(display, m_keycode, hotKeyModifiers | variant, m_connection->root(screen));
    }
    trap.sync();
}

void GlobalHotKeyX11::unregisterHotKey()
{
    if (!m_grabbed)
        return;
    m_grabbed = false;
    if (m_connection->isAlive())
        ungrabAll();
}

void GlobalHotKeyX11::onEvent(XEvent *event)
{
    if (!m_grabbed || event->type != KeyPress || int(event->xkey.keycode) != m_keycode)
        return;
    const unsigned int relevant = ControlMask | Mod1Mask | ShiftMask | Mod4Mask;
    if ((event->xkey.state & relevant) == hotKeyModifiers)
        Q_EMIT pressed();
}

#include "Solitask/platform/linux/KeyEventSourceXI2.h"

#include "Solitask/platform/ModifierFlags.h"
#include "Solitask/platform/linux/X11Connection.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace {

// Lock and level keys are neither modifiers of a tap nor key presses.
bool isLockKey(Display *display, int keycode)
{
    const KeySym sym = XkbKeycodeToKeysym(display, KeyCode(keycode), 0, 0);
    return sym == XK_Caps_Lock || sym == XK_Num_Lock || sym == XK_Scroll_Lock
        || sym == XK_ISO_Level3_Shift || sym == XK_Mode_switch;
}

} // namespace

KeyEventSourceXI2::KeyEventSourceXI2(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
    // From XInput 2.1 on, raw events reach the root window during other
    // clients' grabs too; under 2.0 a modifier released while another
    // client's grab is active would never be seen released.
    int event = 0, error = 0, major = 2, minor = 2;
    if (XQueryExtension(m_connection->display(), "XInputExtension", &m_opcode, &event, &error)
        && XIQueryVersion(m_connection->display(), &major, &minor) == Success)
        connect(m_connection.get(), &X11Connection::xEvent, this, &KeyEventSourceXI2::onEvent);
    else
        m_opcode = -1;
}

KeyEventSourceXI2::~KeyEventSourceXI2()
{
    stopMonitoring();
}

Support KeyEventSourceXI2::support() const
{
    if (m_opcode < 0)
        return Support::no(QStringLiteral("the X server lacks XInput 2"));
    return Support::yes();
}

bool KeyEventSourceXI2::isTrusted()
{
    // X11 lets every client of the display see raw input.
    return m_opcode >= 0 && m_connection->isAlive();
}

void KeyEventSourceXI2::select(bool raw)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (raw) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
    }
    XIEventMask mask {XIAllMasterDevices, int(sizeof(bits)), bits};
    XISelectEvents(m_connection->display(), m_connection->defaultRoot(), &mask, 1);
    XFlush(m_connection->display());
}

void KeyEventSourceXI2::startMonitoring()
{
    if (m_opcode < 0 || m_monitoring || !m_connection->isAlive())
        return;
    m_heldModifiers.clear();
    select(true);
    m_monitoring = true;
}

void KeyEventSourceXI2::stopMonitoring()
{
    if (!m_monitoring)
        return;
    m_monitoring = false;
    m_heldModifiers.clear();
    if (m_connection->isAlive())
        select(false);
}

std::uint32_t KeyEventSourceXI2::modifierOf(int keycode) const
{
    switch (XkbKeycodeToKeysym(m_connection->display(), KeyCode(keycode), 0, 0)) {
    case XK_Shift_L:
    case XK_Shift_R:
        return ModifierFlags::shift;
    case XK_Control_L:
    case XK_Control_R:
        return ModifierFlags::control;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return ModifierFlags::option;
    case XK_Super_L:
    case XK_Super_R:
    case XK_Hyper_L:
    case XK_Hyper_R:
        return ModifierFlags::command;
    default:
        return 0;
    }
}

std::uint32_t KeyEventSourceXI2::heldFlags() const
{
    std::uint32_t flags = 0;
    for (std::uint32_t flag : m_heldModifiers)
        flags |= flag;
    return flags;
}

void KeyEventSourceXI2::pressed(int keycode)
{
    const std::uint32_t flag = modifierOf(keycode);
    if (flag != 0) {
        m_heldModifiers.insert(keycode, flag);
        Q_EMIT flagsChanged(heldFlags());
    } else if (!isLockKey(m_connection->display(), keycode)) {
        Q_EMIT keyDown();
    }
}

void KeyEventSourceXI2::released(int keycode)
{
    // Synthetic input can release what was never pressed; that changes nothing.
    if (!m_heldModifiers.remove(keycode))
        return;
    Q_EMIT flagsChanged(heldFlags());
}

void KeyEventSourceXI2::onEvent(XEvent *event)
{
    if (!m_monitoring || event->xcookie.type != GenericEvent
        || event->xcookie.extension != m_opcode || !event->xcookie.data)
        return;
    const auto *raw = static_cast<const XIRawEvent *>(event->xcookie.data);
    if (raw->evtype == XI_RawKeyPress)
        pressed(raw->detail);
    else if (raw->evtype == XI_RawKeyRelease)
        released(raw->detail);
}

#include "Solitask/platform/wayland/SeatInput.h"

#include "Solitask/platform/wayland/PointerCursor.h"
#include "Solitask/platform/wayland/WaylandConnection.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <wayland-client.h>

#include <algorithm>

#include <linux/input-event-codes.h>
#include <unistd.h>

namespace {

SeatInput &of(void *data)
{
    return *static_cast<SeatInput *>(data);
}

void seatCapabilities(void *data, wl_seat *, uint32_t caps)
{
    of(data).capabilities(caps);
}
void seatName(void *, wl_seat *, const char *) { }
const wl_seat_listener seatListener {seatCapabilities, seatName};

void keymap(void *data, wl_keyboard *, uint32_t format, int32_t fd, uint32_t size)
{
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1)
        of(data).xkb().setKeymap(fd, size);
    else
        close(fd);
}
void keyEnter(void *, wl_keyboard *, uint32_t, wl_surface *, wl_array *) { }
void keyLeave(void *data, wl_keyboard *, uint32_t, wl_surface *)
{
    of(data).keyboardLeft();
}
void keyKey(void *data, wl_keyboard *, uint32_t, uint32_t, uint32_t key, uint32_t state)
{
    of(data).key(key, state == WL_KEYBOARD_KEY_STATE_PRESSED);
}
void keyModifiers(void *data, wl_keyboard *, uint32_t, uint32_t depressed, uint32_t latched,
    uint32_t locked, uint32_t group)
{
    of(data).xkb().setModifiers(depressed, latched, locked, group);
}
void keyRepeat(void *data, wl_keyboard *, int32_t rate, int32_t delay)
{
    of(data).setRepeat(rate, delay);
}
const wl_keyboard_listener keyboardListener {
    keymap, keyEnter, keyLeave, keyKey, keyModifiers, keyRepeat};

QPointF pointOf(wl_fixed_t x, wl_fixed_t y)
{
    return {wl_fixed_to_double(x), wl_fixed_to_double(y)};
}
void pointerEnter(
    void *data, wl_pointer *, uint32_t serial, wl_surface *surface, wl_fixed_t x, wl_fixed_t y)
{
    of(data).pointerEntered(serial, surface, pointOf(x, y));
}
void pointerLeave(void *data, wl_pointer *, uint32_t, wl_surface *)
{
    of(data).pointerLeft();
}
void pointerMotion(void *data, wl_pointer *, uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    of(data).pointerAt(nullptr, pointOf(x, y));
}
void pointerButton(void *data, wl_pointer *, uint32_t, uint32_t, uint32_t button, uint32_t state)
{
    of(data).button(button, state == WL_POINTER_BUTTON_STATE_PRESSED);
}
void pointerAxis(void *, wl_pointer *, uint32_t, uint32_t, wl_fixed_t) { }
void pointerFrame(void *, wl_pointer *) { }
void pointerAxisSource(void *, wl_pointer *, uint32_t) { }
void pointerAxisStop(void *, wl_pointer *, uint32_t, uint32_t) { }
void pointerAxisDiscrete(void *, wl_pointer *, uint32_t, int32_t) { }
void pointerAxisValue120(void *, wl_pointer *, uint32_t, int32_t) { }
// Every event up to the version bound: a missing one would be called.
const wl_pointer_listener pointerListener {pointerEnter, pointerLeave, pointerMotion, pointerButton,
    pointerAxis, pointerFrame, pointerAxisSource, pointerAxisStop, pointerAxisDiscrete,
    pointerAxisValue120};

Qt::MouseButton qtButton(uint32_t code)
{
    switch (code) {
    case BTN_LEFT:
        return Qt::LeftButton;
    case BTN_RIGHT:
        return Qt::RightButton;
    case BTN_MIDDLE:
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

} // namespace

std::unique_ptr<SeatInput> SeatInput::create(WaylandConnection &connection)
{
    // A seat of our own, at a version that knows about key repeat and release.
    auto *seat = static_cast<wl_seat *>(connection.bind(&wl_seat_interface, 5));
    if (!seat)
        return nullptr;
    std::unique_ptr<SeatInput> input(new SeatInput(seat, PointerCursor::create(connection)));
    wl_seat_add_listener(seat, &seatListener, input.get());
    return input;
}

SeatInput::SeatInput(wl_seat *seat, std::unique_ptr<PointerCursor> cursor)
    : m_seat(seat)
    , m_cursor(std::move(cursor))
    , m_repeat(std::make_unique<QTimer>())
{
    QObject::connect(m_repeat.get(), &QTimer::timeout, [this] { repeatKey(); });
}

SeatInput::~SeatInput()
{
    m_cursor.reset();
    if (m_keyboard)
        wl_keyboard_release(m_keyboard);
    if (m_pointer)
        wl_pointer_release(m_pointer);
    wl_seat_release(m_seat);
}

void SeatInput::capabilities(uint32_t caps)
{
    const bool keyboard = caps & WL_SEAT_CAPABILITY_KEYBOARD;
    if (keyboard && !m_keyboard) {
        m_keyboard = wl_seat_get_keyboard(m_seat);
        wl_keyboard_add_listener(m_keyboard, &keyboardListener, this);
    } else if (!keyboard && m_keyboard) {
        wl_keyboard_release(m_keyboard);
        m_keyboard = nullptr;
    }
    const bool pointer = caps & WL_SEAT_CAPABILITY_POINTER;
    if (pointer && !m_pointer) {
        m_pointer = wl_seat_get_pointer(m_seat);
        wl_pointer_add_listener(m_pointer, &pointerListener, this);
    } else if (!pointer && m_pointer) {
        wl_pointer_release(m_pointer);
        m_pointer = nullptr;
        // No leave comes once the pointer is gone: it is on none of ours.
        pointerLeft();
    }
}

void SeatInput::key(uint32_t code, bool pressed)
{
    postKey(pressed ? QEvent::KeyPress : QEvent::KeyRelease, code, false);
    if (pressed && m_repeatIntervalMs > 0 && m_xkb.repeats(code)) {
        m_repeatCode = code;
        m_repeat->start(m_repeatDelayMs);
    } else if (!pressed && code == m_repeatCode) {
        m_repeat->stop();
    }
}

// As X11 reports a held key: a release and a press, both marked repeated.
void SeatInput::repeatKey()
{
    m_repeat->setInterval(m_repeatIntervalMs);
    postKey(QEvent::KeyRelease, m_repeatCode, true);
    postKey(QEvent::KeyPress, m_repeatCode, true);
}

void SeatInput::setRepeat(int32_t rate, int32_t delay)
{
    m_repeatIntervalMs = rate > 0 ? std::max(1, 1000 / rate) : 0;
    m_repeatDelayMs = std::max(0, delay);
}

void SeatInput::keyboardLeft()
{
    m_repeat->stop();
}

// Posted rather than sent: the gate may close on a key, and with it these
// surfaces, while the compositor's events are still being read.
void SeatInput::postKey(QEvent::Type type, uint32_t code, bool repeat)
{
    if (!m_keyTarget || !m_xkb.hasKeymap())
        return;
    const XkbKeyboard::Key key = m_xkb.key(code);
    QCoreApplication::postEvent(m_keyTarget,
        new QKeyEvent(type, key.key, key.modifiers, code + 8, key.keysym, 0, key.text, repeat));
}

void SeatInput::pointerEntered(uint32_t serial, wl_surface *surface, QPointF point)
{
    if (m_cursor)
        m_cursor->show(m_pointer, serial);
    pointerAt(surface, point);
    if (m_crossed)
        m_crossed(surface);
}

void SeatInput::pointerAt(wl_surface *surface, QPointF point)
{
    if (surface)
        m_pointerSurface = surface;
    m_pointerPoint = point;
    postMouse(QEvent::MouseMove, Qt::NoButton);
}

void SeatInput::pointerLeft()
{
    m_pointerSurface = nullptr;
    m_buttons = {};
    if (m_crossed)
        m_crossed(nullptr);
}

void SeatInput::button(uint32_t code, bool pressed)
{
    const Qt::MouseButton which = qtButton(code);
    if (which == Qt::NoButton)
        return;
    m_buttons.setFlag(which, pressed);
    postMouse(pressed ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, which);
}

void SeatInput::postMouse(QEvent::Type type, Qt::MouseButton button)
{
    if (!m_pointerSurface || !m_locate)
        return;
    const Place place = m_locate(m_pointerSurface, m_pointerPoint);
    if (!place.window)
        return;
    const QPointF global = place.window->mapToGlobal(place.position);
    QCoreApplication::postEvent(place.window,
        new QMouseEvent(
            type, place.position, place.position, global, button, m_buttons, m_xkb.modifiers()));
}

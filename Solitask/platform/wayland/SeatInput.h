#pragma once

#include "Solitask/platform/wayland/XkbKeyboard.h"

#include <QPointF>
#include <QPointer>
#include <QWindow>

#include <cstdint>
#include <functional>
#include <memory>

class PointerCursor;
class QTimer;
class WaylandConnection;
struct wl_keyboard;
struct wl_pointer;
struct wl_seat;
struct wl_surface;

/// The keyboard and pointer of the compositor's seat as they reach our own
/// surfaces, posted as Qt events to the windows those surfaces stand for.
class SeatInput
{
public:
    /// Where a point of one of our surfaces lies in a Qt window.
    struct Place
    {
        QPointer<QWindow> window;
        QPointF position;
    };
    using Locate = std::function<Place(wl_surface *surface, QPointF point)>;

    /// Null when the compositor offers no seat.
    static std::unique_ptr<SeatInput> create(WaylandConnection &connection);
    ~SeatInput();
    SeatInput(const SeatInput &) = delete;
    SeatInput &operator=(const SeatInput &) = delete;

    wl_seat *seat() const { return m_seat; }
    /// The window that gets the keys typed while one of our surfaces has the keyboard.
    void setKeyTarget(QWindow *window) { m_keyTarget = window; }
    void setLocate(Locate locate) { m_locate = std::move(locate); }
    /// Called as the pointer comes onto one of our surfaces, and with null as it leaves them.
    void onPointerCrossing(std::function<void(wl_surface *)> crossed)
    {
        m_crossed = std::move(crossed);
    }
    /// Where the pointer is on the surface of ours it last came onto.
    QPointF pointerPoint() const { return m_pointerPoint; }

    /// Protocol events; public for the C callbacks only.
    void capabilities(uint32_t caps);
    XkbKeyboard &xkb() { return m_xkb; }
    void key(uint32_t code, bool pressed);
    void setRepeat(int32_t rate, int32_t delay);
    void keyboardLeft();
    void pointerEntered(uint32_t serial, wl_surface *surface, QPointF point);
    void pointerAt(wl_surface *surface, QPointF point);
    void pointerLeft();
    void button(uint32_t code, bool pressed);

private:
    SeatInput(wl_seat *seat, std::unique_ptr<PointerCursor> cursor);
    void postMouse(QEvent::Type type, Qt::MouseButton button);
    void postKey(QEvent::Type type, uint32_t code, bool repeat);
    void repeatKey();

    wl_seat *m_seat;
    wl_keyboard *m_keyboard = nullptr;
    wl_pointer *m_pointer = nullptr;
    XkbKeyboard m_xkb;
    QPointer<QWindow> m_keyTarget;
    Locate m_locate;
    std::function<void(wl_surface *)> m_crossed;
    wl_surface *m_pointerSurface = nullptr;
    QPointF m_pointerPoint;
    Qt::MouseButtons m_buttons;
    std::unique_ptr<PointerCursor> m_cursor;
    std::unique_ptr<QTimer> m_repeat;
    uint32_t m_repeatCode = 0;
    int m_repeatIntervalMs = 0; // 0: the compositor asks for no repeat
    int m_repeatDelayMs = 0;
};

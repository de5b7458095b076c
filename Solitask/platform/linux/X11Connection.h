#pragma once

#include <QObject>
#include <QHash>

#include <memory>

typedef struct _XDisplay Display;
typedef unsigned long XID;
typedef union _XEvent XEvent;
typedef struct xcb_connection_t xcb_connection_t;

class QSocketNotifier;

/// One Xlib connection of our own, shared by the X11 backends. Events are read
/// on the main thread whenever the socket is readable and before the event
/// loop sleeps (replies to our requests can leave events queued in Xlib), and
/// handed out through `xEvent`. Losing the server is noticed once: `isAlive`
/// turns false, `lost` is emitted and nothing touches the dead display again.
class X11Connection : public QObject
{
    Q_OBJECT

public:
    /// Opens `displayName` (the DISPLAY variable when empty); null on failure.
    static std::shared_ptr<X11Connection> open(const QByteArray &displayName = {});
    ~X11Connection() override;

    Display *display() const { return m_display; }
    /// The same connection for requests sent in batches.
    xcb_connection_t *xcb() const;
    bool isAlive() const { return m_alive; }
    int screenCount() const;
    XID root(int screen) const;
    XID defaultRoot() const;
    /// Interned atom, cached.
    unsigned long atom(const char *name);
    /// Reads and hands out every queued event.
    void dispatchPending();
    /// Dispatches soon from the event loop: a reply read by one of our
    /// requests can leave events queued in Xlib where the socket notifier
    /// never sees them.
    void scheduleDispatch();
    /// Marks the connection dead; called from Xlib's I/O error path.
    void markLost();

Q_SIGNALS:
    void xEvent(XEvent *event);
    void lost();

private:
    explicit X11Connection(Display *display);

    Display *m_display = nullptr;
    bool m_alive = true;
    bool m_dispatchScheduled = false;
    QSocketNotifier *m_notifier = nullptr;
    QHash<QByteArray, unsigned long> m_atoms;
};

#include "Solitask/platform/linux/X11Connection.h"

#include "Solitask/platform/linux/X11ErrorTrap.h"
#include "SolitaskCore/Diag.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/Xlib-xcb.h>

namespace {

void onIoError(Display *, void *context)
{
    static_cast<X11Connection *>(context)->markLost();
}

} // namespace

std::shared_ptr<X11Connection> X11Connection::open(const QByteArray &displayName)
{
    Display *display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return nullptr;
    return std::shared_ptr<X11Connection>(new X11Connection(display));
}

X11Connection::X11Connection(Display *display)
    : m_display(display)
{
    X11ErrorTrap::adopt(display, &onIoError, this);
    m_notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11Connection::dispatchPending);
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            &X11Connection::dispatchPending);
}

X11Connection::~X11Connection()
{
    X11ErrorTrap::forget(m_display);
    // A display whose server is gone is left alone: closing it would talk to
    // the dead socket again.
    if (m_alive)
        XCloseDisplay(m_display);
}

int X11Connection::screenCount() const
{
    return ScreenCount(m_display);
}

XID X11Connection::root(int screen) const
{
    return RootWindow(m_display, screen);
}

XID X11Connection::defaultRoot() const
{
    return DefaultRootWindow(m_display);
}

xcb_connection_t *X11Connection::xcb() const
{
    return XGetXCBConnection(m_display);
}

unsigned long X11Connection::atom(const char *name)
{
    const QByteArray key(name);
    auto found = m_atoms.constFind(key);
    if (found != m_atoms.constEnd())
        return found.value();
    const Atom value = m_alive ? XInternAtom(m_display, name, False) : None;
    if (value != None)
        m_atoms.insert(key, value);
    return value;
}

void X11Connection::dispatchPending()
{
    while (m_alive && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        const bool cookie = XGetEventData(m_display, &event.xcookie);
        Q_EMIT xEvent(&event);
        if (cookie)
            XFreeEventData(m_display, &event.xcookie);
    }
}

void X11Connection::scheduleDispatch()
{
    if (m_dispatchScheduled)
        return;
    m_dispatchScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_dispatchScheduled = false;
            dispatchPending();
        },
        Qt::QueuedConnection);
}

void X11Connection::markLost()
{
    if (!m_alive)
        return;
    m_alive = false;
    m_notifier->setEnabled(false);
    Diag::log(QStringLiteral("x11: connection lost"));
    QMetaObject::invokeMethod(this, &X11Connection::lost, Qt::QueuedConnection);
}

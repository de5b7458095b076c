#include "Solitask/platform/linux/X11ErrorTrap.h"

#include <QSet>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

namespace {

X11ErrorTrap *g_innermost = nullptr;
XErrorHandler g_previous = nullptr;
XIOErrorHandler g_previousIo = nullptr;
QSet<Display *> &ours()
{
    static QSet<Display *> displays;
    return displays;
}

} // namespace

struct X11ErrorTrapAccess
{
    static int handle(Display *display, XErrorEvent *event);
};

namespace {

// Xlib's default I/O error handler ends the process; for our displays the
// handler returns and the display's exit handler records the loss instead.
int handleIoError(Display *display)
{
    if (!ours().contains(display))
        return g_previousIo ? g_previousIo(display) : 0;
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display *display)
    : m_display(display)
    , m_firstSerial(NextRequest(display))
    , m_outer(g_innermost)
{
    g_innermost = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    g_innermost = m_outer;
}

int X11ErrorTrap::sync()
{
    // Xlib numbers every request it sends: an unchanged number means nothing
    // of ours can still fail.
    if (NextRequest(m_display) != m_firstSerial)
        XSync(m_display, False);
    return m_error;
}

int X11ErrorTrapAccess::handle(Display *display, XErrorEvent *event)
{
    if (!ours().contains(display))
        return g_previous ? g_previous(display, event) : 0;
    for (X11ErrorTrap *trap = g_innermost; trap; trap = trap->m_outer) {
        if (trap->m_display == display && event->serial >= trap->m_firstSerial) {
            if (trap->m_error == 0)
                trap->m_error = event->error_code;
            break;
        }
    }
    return 0;
}

void X11ErrorTrap::adopt(Display *display, void (*onLost)(Display *, void *), void *context)
{
    static bool installed = false;
    if (!installed) {
        g_previous = XSetErrorHandler(&X11ErrorTrapAccess::handle);
        g_previousIo = XSetIOErrorHandler(&handleIoError);
        installed = true;
    }
    ours().insert(display);
    // Xlib ends the process after an I/O error unless the display has its own
    // exit handler; ours only records the loss.
    XSetIOErrorExitHandler(display, onLost, context);
}

void X11ErrorTrap::forget(Display *display)
{
    ours().remove(display);
}

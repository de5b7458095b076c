#pragma once

typedef struct _XDisplay Display;

/// Catches the X errors caused by the requests made while it lives, instead of
/// Xlib's default of ending the process. Errors on our displays outside any
/// trap are ignored; errors on other displays go to the previous handler.
class X11ErrorTrap
{
public:
    explicit X11ErrorTrap(Display *display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap &) = delete;
    X11ErrorTrap &operator=(const X11ErrorTrap &) = delete;

    /// Waits for the server and answers the first error code seen, 0 for none.
    /// Only requests sent through Xlib are waited for: those sent through xcb
    /// carry their errors in their replies.
    int sync();

    /// Installs the process-wide handlers and adopts `display` as ours.
    static void adopt(Display *display, void (*onLost)(Display *, void *), void *context);
    static void forget(Display *display);

private:
    friend struct X11ErrorTrapAccess;

    Display *m_display;
    unsigned long m_firstSerial;
    int m_error = 0;
    X11ErrorTrap *m_outer;
};

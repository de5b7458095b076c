#pragma once

// A second X client for the X11 tests: real top-level windows with chosen
// colours, classes, titles and process ids, managed by the test's window
// manager; and xdotool for real input.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRect>
#include <QThread>

#include <functional>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

class X11TestClient
{
public:
    X11TestClient() : m_display(XOpenDisplay(nullptr)) {}
    ~X11TestClient()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    Display *display() const { return m_display; }

    /// A mapped window at `rect` (client area) in a solid colour; `pid` 0 sets none.
    Window window(const QRect &rect, unsigned long rgb, const char *wmClass, long pid,
        const QByteArray &netName = {}, int screen = 0)
    {
        const Window root = RootWindow(m_display, screen);
        Window w = XCreateSimpleWindow(m_display, root, rect.x(), rect.y(), unsigned(rect.width()),
            unsigned(rect.height()), 0, 0, rgb);
        placeAt(w, rect);
        XClassHint classHint {const_cast<char *>(wmClass), const_cast<char *>(wmClass)};
        if (wmClass)
            XSetClassHint(m_display, w, &classHint);
        if (pid != 0)
            setCardinal(w, "_NET_WM_PID", pid);
        if (!netName.isEmpty())
            setProperty(w, "_NET_WM_NAME", "UTF8_STRING", netName);
        XMapWindow(m_display, w);
        XSync(m_display, False);
        return w;
    }

    /// An override-redirect pop-up (menu, tooltip): no window manager touches it.
    Window popUp(const QRect &rect, unsigned long rgb, const char *wmClass, long pid,
        Window transientFor = None)
    {
        XSetWindowAttributes attributes {};
        attributes.override_redirect = True;
        attributes.background_pixel = rgb;
        Window w = XCreateWindow(m_display, DefaultRootWindow(m_display), rect.x(), rect.y(),
            unsigned(rect.width()), unsigned(rect.height()), 0, CopyFromParent, InputOutput,
            CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
        if (wmClass) {
            XClassHint classHint {const_cast<char *>(wmClass), const_cast<char *>(wmClass)};
            XSetClassHint(m_display, w, &classHint);
        }
        if (pid != 0)
            setCardinal(w, "_NET_WM_PID", pid);
        if (transientFor != None)
            XSetTransientForHint(m_display, w, transientFor);
        XMapRaised(m_display, w);
        XSync(m_display, False);
        return w;
    }

    /// A window on a 32-bit ARGB visual, painted in `argb`.
    Window argbWindow(const QRect &rect, unsigned long argb, const char *wmClass, long pid)
    {
        XVisualInfo info {};
        if (!XMatchVisualInfo(m_display, DefaultScreen(m_display), 32, TrueColor, &info))
            return None;
        XSetWindowAttributes attributes {};
        attributes.colormap = XCreateColormap(m_display, DefaultRootWindow(m_display),
            info.visual, AllocNone);
        attributes.background_pixel = argb;
        attributes.border_pixel = 0;
        Window w = XCreateWindow(m_display, DefaultRootWindow(m_display), rect.x(), rect.y(),
            unsigned(rect.width()), unsigned(rect.height()), 0, 32, InputOutput, info.visual,
            CWColormap | CWBackPixel | CWBorderPixel, &attributes);
        placeAt(w, rect);
        XClassHint classHint {const_cast<char *>(wmClass), const_cast<char *>(wmClass)};
        XSetClassHint(m_display, w, &classHint);
        setCardinal(w, "_NET_WM_PID", pid);
        XMapWindow(m_display, w);
        XSync(m_display, False);
        return w;
    }

    /// Asks the window manager to keep the window where the test puts it.
    void placeAt(Window w, const QRect &rect)
    {
        XSizeHints hints {};
        hints.flags = USPosition | USSize | PPosition | PSize;
        hints.x = rect.x();
        hints.y = rect.y();
        hints.width = rect.width();
        hints.height = rect.height();
        XSetWMNormalHints(m_display, w, &hints);
    }

    void setCardinal(Window w, const char *name, long value)
    {
        XChangeProperty(m_display, w, XInternAtom(m_display, name, False), XA_CARDINAL, 32,
            PropModeReplace, reinterpret_cast<unsigned char *>(&value), 1);
        XSync(m_display, False);
    }
    void setProperty(Window w, const char *name, const char *type, const QByteArray &bytes)
    {
        XChangeProperty(m_display, w, XInternAtom(m_display, name, False),
            XInternAtom(m_display, type, False), 8, PropModeReplace,
            reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()));
        XSync(m_display, False);
    }
    void setLatin1Name(Window w, const QByteArray &latin1)
    {
        XChangeProperty(m_display, w, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
            reinterpret_cast<const unsigned char *>(latin1.constData()), int(latin1.size()));
        XSync(m_display, False);
    }
    void destroy(Window w)
    {
        XDestroyWindow(m_display, w);
        XSync(m_display, False);
    }

    /// Waits until every window in `windows` is viewable, then lets a window
    /// manager (when one runs) finish framing them.
    void waitViewable(const QList<Window> &windows)
    {
        waitFor([&] {
            for (Window w : windows) {
                XWindowAttributes attributes {};
                if (!XGetWindowAttributes(m_display, w, &attributes)
                    || attributes.map_state != IsViewable)
                    return false;
            }
            return true;
        });
        settle(qEnvironmentVariableIsEmpty("SOLITASK_NO_WM") ? 400 : 100);
    }

    /// Runs xdotool with `arguments`; true when it exits 0.
    static bool xdotool(const QStringList &arguments)
    {
        return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    }

    /// Processes events until `done` holds or `ms` pass; generous, since a loaded
    /// machine can take seconds to map and manage a window.
    static bool waitFor(const std::function<bool()> &done, int ms = 10000)
    {
        QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
        return done();
    }
    /// Lets events flow for `ms`.
    static void settle(int ms = 300)
    {
        waitFor([] { return false; }, ms);
    }

private:
    Display *m_display;
};

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

    /// A mapped window at `rect` (client area) in a solid colour.
    Window window(const QRect &rect, unsigned long rgb, const char *wmClass, long pid,
        const QByteArray &netName = {})
    {
        const Window root = DefaultRootWindow(m_display);
        Window w = XCreateSimpleWindow(m_display, root, rect.x(), rect.y(), unsigned(rect.width()),
            unsigned(rect.height()), 0, 0, rgb);
        XSizeHints hints {};
        hints.flags = USPosition | USSize | PPosition | PSize;
        hints.x = rect.x();
        hints.y = rect.y();
        hints.width = rect.width();
        hints.height = rect.height();
        XSetWMNormalHints(m_display, w, &hints);
        XClassHint classHint {const_cast<char *>(wmClass), const_cast<char *>(wmClass)};
        XSetClassHint(m_display, w, &classHint);
        setCardinal(w, "_NET_WM_PID", pid);
        if (!netName.isEmpty())
            setProperty(w, "_NET_WM_NAME", "UTF8_STRING", netName);
        XMapWindow(m_display, w);
        XSync(m_display, False);
        return w;
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

    /// Runs xdotool with `arguments`; true when it exits 0.
    static bool xdotool(const QStringList &arguments)
    {
        return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    }

    /// Processes events until `done` holds or `ms` pass.
    static bool waitFor(const std::function<bool()> &done, int ms = 3000)
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

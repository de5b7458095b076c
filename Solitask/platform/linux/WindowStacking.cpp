#include "Solitask/platform/WindowStacking.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xlib.h>

namespace WindowStacking {

namespace {

Display *display()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The child of the root that holds `window`: the window manager's frame, or
// the window itself when nothing reparented it.
Window topLevelOf(Display *display, Window window, Window &root)
{
    Window current = window;
    for (int depth = 0; depth < 16; ++depth) {
        Window parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, current, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return current;
        current = parent;
    }
    return 0;
}

} // namespace

int position(QWindow *window)
{
    Display *dpy = display();
    if (!dpy || !window || !window->handle())
        return -1;
    XSync(dpy, False);
    Window root = 0;
    const Window top = topLevelOf(dpy, Window(window->winId()), root);
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    int found = -1;
    if (top && XQueryTree(dpy, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            if (children[i] == top)
                found = int(i);
        XFree(children);
    }
    return found;
}

void placeBelow(QWindow *window, QWindow *above)
{
    Display *dpy = display();
    if (!dpy || !window || !above || !window->handle() || !above->handle())
        return;
    Window windowRoot = 0;
    Window aboveRoot = 0;
    const Window self = topLevelOf(dpy, Window(window->winId()), windowRoot);
    const Window frame = topLevelOf(dpy, Window(above->winId()), aboveRoot);
    if (!self || !frame || self == frame || windowRoot != aboveRoot)
        return;
    XWindowChanges changes {};
    changes.sibling = frame;
    changes.stack_mode = Below;
    XConfigureWindow(dpy, self, CWSibling | CWStackMode, &changes);
    XFlush(dpy);
}

} // namespace WindowStacking

#pragma once

// Where windows stand in the X server's stacking order, read from the server
// itself: the X11 tests check the surfaces' stacking rule with it.

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace X11Stacking {

inline Display *display()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

/// The child of the root that holds `window` (the window manager's frame).
inline Window topLevel(Window window)
{
    Display *dpy = display();
    Window current = window;
    for (int depth = 0; depth < 16; ++depth) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(dpy, current, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return current;
        current = parent;
    }
    return 0;
}

/// Position from the bottom among the root's children; -1 when not found.
inline int position(Window window)
{
    Display *dpy = display();
    XSync(dpy, False);
    const Window top = topLevel(window);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    int found = -1;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            if (children[i] == top)
                found = int(i);
        XFree(children);
    }
    return found;
}

/// Whether `above` stands higher than `below` (each with its frame).
inline bool isAbove(Window above, Window below)
{
    const int a = position(above);
    const int b = position(below);
    return a >= 0 && b >= 0 && a > b;
}

inline bool viewable(Window window)
{
    XWindowAttributes attributes {};
    return XGetWindowAttributes(display(), window, &attributes)
        && attributes.map_state == IsViewable;
}

} // namespace X11Stacking

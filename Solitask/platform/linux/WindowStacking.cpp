#include "Solitask/platform/WindowStacking.h"

#include "Solitask/platform/linux/X11TopLevels.h"

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

} // namespace

int position(QWindow *window)
{
    Display *dpy = display();
    if (!dpy || !window || !window->handle())
        return -1;
    XSync(dpy, False);
    unsigned long root = 0;
    const Window top = X11TopLevels::topLevelOf(dpy, Window(window->winId()), &root);
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    int found = -1;
    Window queried = 0;
    if (top && XQueryTree(dpy, root, &queried, &parent, &children, &count)) {
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
    unsigned long windowRoot = 0;
    unsigned long aboveRoot = 0;
    const Window self = X11TopLevels::topLevelOf(dpy, Window(window->winId()), &windowRoot);
    const Window frame = X11TopLevels::topLevelOf(dpy, Window(above->winId()), &aboveRoot);
    if (!self || !frame || self == frame || windowRoot != aboveRoot)
        return;
    XWindowChanges changes {};
    changes.sibling = frame;
    changes.stack_mode = Below;
    XConfigureWindow(dpy, self, CWSibling | CWStackMode, &changes);
    XFlush(dpy);
}

} // namespace WindowStacking

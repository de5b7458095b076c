#include "Solitask/platform/linux/X11ActiveWindow.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"
#include "Solitask/platform/linux/X11TopLevels.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

namespace {

unsigned long focused(X11Connection &connection)
{
    Display *display = connection.display();
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus != None && focus != PointerRoot)
        return focus;
    for (int screen = 0; screen < connection.screenCount(); ++screen) {
        Window root = None, child = None;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int mask = 0;
        if (XQueryPointer(
                display, connection.root(screen), &root, &child, &rootX, &rootY, &x, &y, &mask))
            return child;
    }
    return 0;
}

} // namespace

unsigned long X11ActiveWindow::published(X11Connection &connection, X11Properties &properties)
{
    for (int screen = 0; screen < connection.screenCount(); ++screen) {
        const auto window = properties.window(connection.root(screen), "_NET_ACTIVE_WINDOW");
        if (window && *window != None)
            return *window;
    }
    return 0;
}

unsigned long X11ActiveWindow::find(X11Connection &connection, X11Properties &properties)
{
    if (!connection.isAlive())
        return 0;
    if (const unsigned long window = published(connection, properties))
        return window;
    const unsigned long top = X11TopLevels::topLevelOf(connection.display(), focused(connection));
    if (top == 0)
        return 0;
    X11TopLevels topLevels(connection);
    return topLevels.clientOf(top, {});
}

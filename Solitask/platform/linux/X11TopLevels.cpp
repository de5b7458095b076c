#include "Solitask/platform/linux/X11TopLevels.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

namespace {

// Frames nest the client a level or two deep; deeper nesting is not a frame.
constexpr int maxClientDepth = 3;

} // namespace

unsigned long X11TopLevels::topLevelOf(Display *display, unsigned long window, unsigned long *root)
{
    for (int depth = 0; depth < 64 && window != None; ++depth) {
        Window top = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &top, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (root)
            *root = top;
        if (parent == top)
            return window;
        window = parent;
    }
    return 0;
}

X11TopLevels::X11TopLevels(X11Connection &connection, X11Properties &properties)
    : m_connection(connection)
    , m_properties(properties)
{
}

QList<unsigned long> X11TopLevels::children(unsigned long window, bool *ok)
{
    Window root = None, parent = None, *list = nullptr;
    unsigned int count = 0;
    const bool read = m_connection.isAlive()
        && XQueryTree(m_connection.display(), window, &root, &parent, &list, &count);
    if (ok)
        *ok = read;
    QList<unsigned long> result;
    if (read && list)
        result = QList<unsigned long>(list, list + count);
    if (list)
        XFree(list);
    return result;
}

std::optional<QList<X11TopLevel>> X11TopLevels::read(unsigned long root)
{
    bool ok = false;
    const QList<unsigned long> windows = children(root, &ok);
    if (!ok)
        return std::nullopt;
    const QList<unsigned long> listed = m_properties.windows(root, "_NET_CLIENT_LIST");
    const QSet<unsigned long> clients(listed.cbegin(), listed.cend());
    QList<X11TopLevel> result;
    for (const unsigned long window : windows) {
        XWindowAttributes attributes {};
        if (!XGetWindowAttributes(m_connection.display(), window, &attributes))
            return std::nullopt;
        if (attributes.map_state != IsViewable || attributes.c_class == InputOnly)
            continue;
        const int border = attributes.border_width;
        result.append({window, clientOf(window, clients),
            QRect(attributes.x, attributes.y, attributes.width + 2 * border,
                attributes.height + 2 * border),
            border, attributes.depth, bool(attributes.override_redirect)});
    }
    return result;
}

// Breadth first, as a frame holds its decorations beside the client.
unsigned long X11TopLevels::clientOf(unsigned long window, const QSet<unsigned long> &clients)
{
    if (clients.contains(window) || m_properties.has(window, "WM_STATE"))
        return window;
    QList<unsigned long> level {window};
    for (int depth = 0; depth < maxClientDepth && !level.isEmpty(); ++depth) {
        QList<unsigned long> next;
        for (const unsigned long parent : std::as_const(level))
            next += children(parent);
        for (const unsigned long child : std::as_const(next)) {
            if (clients.contains(child))
                return child;
        }
        for (const unsigned long child : std::as_const(next)) {
            if (m_properties.has(child, "WM_STATE"))
                return child;
        }
        level = next;
    }
    return window;
}

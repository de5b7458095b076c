#include "Solitask/platform/linux/X11WindowCover.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace {

constexpr unsigned long fullOpacity = 0xffffffffUL;
// Windows the server makes for itself carry ids of client 0, below the range
// of the first client however many clients the server allows. Among the
// root's children that is the compositing overlay, which shows every window
// beneath it.
constexpr unsigned long firstClientId = 1UL << 18;

} // namespace

X11WindowCover::X11WindowCover(X11Connection &connection, X11Properties &properties)
    : m_connection(connection)
    , m_properties(properties)
{
    int event = 0, error = 0;
    m_hasShape
        = m_connection.isAlive() && XShapeQueryExtension(m_connection.display(), &event, &error);
}

void X11WindowCover::describe(const X11TopLevel &window, StackedWindow &stacked)
{
    stacked.opaque = isOpaque(window);
    if (!stacked.opaque)
        return;
    bool shaped = false;
    stacked.shape = boundingShape(window, &shaped);
    // A shape that leaves nothing paints nothing.
    if (shaped && stacked.shape.isEmpty())
        stacked.opaque = false;
}

bool X11WindowCover::isOpaque(const X11TopLevel &window)
{
    if (window.depth == 32 || window.window < firstClientId)
        return false;
    // Some managers frame an ARGB client in an opaque-looking frame; the
    // compositor still blends the client.
    XWindowAttributes client {};
    if (window.client != window.window
        && (!XGetWindowAttributes(m_connection.display(), window.client, &client)
            || client.depth == 32))
        return false;
    // Window managers copy the client's opacity to the frame; either counts.
    for (const unsigned long w : {window.window, window.client}) {
        const auto opacity = m_properties.cardinal(w, "_NET_WM_WINDOW_OPACITY");
        if (opacity && (static_cast<unsigned long>(*opacity) & fullOpacity) != fullOpacity)
            return false;
    }
    return true;
}

QRegion X11WindowCover::boundingShape(const X11TopLevel &window, bool *shaped)
{
    if (!m_hasShape)
        return {};
    Display *display = m_connection.display();
    Bool bounding = False, clip = False;
    int bx = 0, by = 0, cx = 0, cy = 0;
    unsigned int bw = 0, bh = 0, cw = 0, ch = 0;
    if (!XShapeQueryExtents(
            display, window.window, &bounding, &bx, &by, &bw, &bh, &clip, &cx, &cy, &cw, &ch)
        || !bounding)
        return {};
    *shaped = true;
    int count = 0, ordering = 0;
    XRectangle *rects
        = XShapeGetRectangles(display, window.window, ShapeBounding, &count, &ordering);
    QRegion region;
    // The bounding shape is relative to the inside corner of the border.
    const QPoint origin = window.frame.topLeft() + QPoint(window.border, window.border);
    for (int i = 0; i < count; ++i)
        region += QRect(
            origin.x() + rects[i].x, origin.y() + rects[i].y, rects[i].width, rects[i].height);
    if (rects)
        XFree(rects);
    return region;
}

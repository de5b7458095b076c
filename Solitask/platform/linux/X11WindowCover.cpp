#include "Solitask/platform/linux/X11WindowCover.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/XcbReply.h"

#include <vector>

#include <xcb/shape.h>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace {

constexpr uint32_t fullOpacity = 0xffffffffU;
// Windows the server makes for itself carry ids of client 0, below the range
// of the first client however many clients the server allows. Among the
// root's children that is the compositing overlay, which shows every window
// beneath it.
constexpr unsigned long firstClientId = 1UL << 18;

// Window managers copy the client's opacity to the frame; either counts.
bool fullyOpaque(const xcb_get_property_reply_t *opacity)
{
    if (!opacity || opacity->type != XCB_ATOM_CARDINAL || opacity->format != 32
        || xcb_get_property_value_length(opacity) < 4)
        return true;
    return *static_cast<const uint32_t *>(xcb_get_property_value(opacity)) == fullOpacity;
}

} // namespace

X11WindowCover::X11WindowCover(X11Connection &connection)
    : m_connection(connection)
{
    int event = 0, error = 0;
    m_hasShape
        = m_connection.isAlive() && XShapeQueryExtension(m_connection.display(), &event, &error);
}

X11WindowCover::~X11WindowCover()
{
    forget();
}

// Every window is asked at once, then the shapes of those that have one: two
// round trips for the whole stack, the first shared with whatever else is
// sent before `describe`.
void X11WindowCover::ask(const QList<X11TopLevel> &windows)
{
    xcb_connection_t *c = m_connection.xcb();
    const auto opacity = xcb_atom_t(m_connection.atom("_NET_WM_WINDOW_OPACITY"));
    const auto property = [&](unsigned long w) {
        return xcb_get_property(c, 0, xcb_window_t(w), opacity, XCB_ATOM_CARDINAL, 0, 1);
    };
    for (const X11TopLevel &window : windows) {
        if (window.depth == 32 || window.window < firstClientId || m_asked.contains(window.window))
            continue;
        Asked a {window.client != window.window, {}, property(window.window),
            property(window.client), {}};
        // Some managers frame an ARGB client in an opaque-looking frame; the
        // compositor still blends the client.
        if (a.framed)
            a.client = xcb_get_geometry(c, xcb_window_t(window.client));
        if (m_hasShape)
            a.extents = xcb_shape_query_extents(c, xcb_window_t(window.window));
        m_asked.insert(window.window, a);
    }
}

void X11WindowCover::describe(const QList<X11TopLevel> &windows, QList<StackedWindow> &stacked)
{
    ask(windows);
    xcb_connection_t *c = m_connection.xcb();
    std::vector<std::pair<qsizetype, xcb_shape_get_rectangles_cookie_t>> shapes;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const X11TopLevel &window = windows[i];
        if (stacked[i].hidden)
            continue;
        stacked[i].opaque = false;
        const auto found = m_asked.constFind(window.window);
        if (found == m_asked.constEnd())
            continue;
        const Asked a = found.value();
        m_asked.erase(found);
        const auto frameOpacity = xcbReply(xcb_get_property_reply, c, a.frameOpacity);
        const auto clientOpacity = xcbReply(xcb_get_property_reply, c, a.clientOpacity);
        const auto client = a.framed ? xcbReply(xcb_get_geometry_reply, c, a.client) : nullptr;
        const auto extents
            = m_hasShape ? xcbReply(xcb_shape_query_extents_reply, c, a.extents) : nullptr;
        const bool opaque = (!a.framed || (client && client->depth != 32))
            && fullyOpaque(frameOpacity.get()) && fullyOpaque(clientOpacity.get());
        stacked[i].opaque = opaque;
        if (opaque && extents && extents->bounding_shaped)
            shapes.emplace_back(
                i, xcb_shape_get_rectangles(c, xcb_window_t(window.window), XCB_SHAPE_SK_BOUNDING));
    }
    forget();
    for (const auto &[index, cookie] : shapes)
        stacked[index].shape = boundingShape(
            windows[index], xcbReply(xcb_shape_get_rectangles_reply, c, cookie).get());
    // A shape that leaves nothing paints nothing.
    for (const auto &[index, cookie] : shapes)
        stacked[index].opaque = !stacked[index].shape.isEmpty();
}

// Answers no one reads are dropped, so that none stays queued.
void X11WindowCover::forget()
{
    if (!m_connection.isAlive()) {
        m_asked.clear();
        return;
    }
    xcb_connection_t *c = m_connection.xcb();
    for (const Asked &a : std::as_const(m_asked)) {
        xcb_discard_reply(c, a.frameOpacity.sequence);
        xcb_discard_reply(c, a.clientOpacity.sequence);
        if (a.framed)
            xcb_discard_reply(c, a.client.sequence);
        if (m_hasShape)
            xcb_discard_reply(c, a.extents.sequence);
    }
    m_asked.clear();
}

QRegion X11WindowCover::boundingShape(
    const X11TopLevel &window, const xcb_shape_get_rectangles_reply_t *reply)
{
    if (!reply)
        return {};
    const xcb_rectangle_t *rects = xcb_shape_get_rectangles_rectangles(reply);
    const int count = xcb_shape_get_rectangles_rectangles_length(reply);
    QRegion region;
    // The bounding shape is relative to the inside corner of the border.
    const QPoint origin = window.frame.topLeft() + QPoint(window.border, window.border);
    for (int i = 0; i < count; ++i)
        region += QRect(
            origin.x() + rects[i].x, origin.y() + rects[i].y, rects[i].width, rects[i].height);
    return region;
}

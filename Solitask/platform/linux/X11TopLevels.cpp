#include "Solitask/platform/linux/X11TopLevels.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/XcbReply.h"

#include <algorithm>
#include <utility>
#include <vector>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

namespace {

// Frames nest the client a level or two deep; deeper nesting is not a frame.
constexpr int maxClientDepth = 3;
// Longer client lists than this are cut off; they only speed the search up.
constexpr uint32_t maxListLongs = 1 << 16;

QList<unsigned long> childrenOf(const xcb_query_tree_reply_t *tree)
{
    if (!tree)
        return {};
    const xcb_window_t *list = xcb_query_tree_children(tree);
    return QList<unsigned long>(list, list + xcb_query_tree_children_length(tree));
}

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

X11TopLevels::X11TopLevels(X11Connection &connection)
    : m_connection(connection)
{
}

X11TopLevels::~X11TopLevels()
{
    forget();
}

void X11TopLevels::ask(unsigned long root)
{
    forget();
    if (!m_connection.isAlive())
        return;
    xcb_connection_t *c = m_connection.xcb();
    m_first = First {root, xcb_query_tree(c, xcb_window_t(root)),
        xcb_get_property(c, 0, xcb_window_t(root),
            xcb_atom_t(m_connection.atom("_NET_CLIENT_LIST")), XCB_ATOM_WINDOW, 0, maxListLongs)};
}

// Answers no one reads are dropped, so that none stays queued.
void X11TopLevels::forget()
{
    if (m_first && m_connection.isAlive()) {
        xcb_discard_reply(m_connection.xcb(), m_first->tree.sequence);
        xcb_discard_reply(m_connection.xcb(), m_first->list.sequence);
    }
    m_first.reset();
}

// Every request of a step goes out before the first reply is read: a walk
// costs a handful of round trips however many windows there are.
std::optional<QList<X11TopLevel>> X11TopLevels::read(unsigned long root)
{
    if (!m_connection.isAlive())
        return std::nullopt;
    if (!m_first || m_first->root != root)
        ask(root);
    const First first = *std::exchange(m_first, std::nullopt);
    xcb_connection_t *c = m_connection.xcb();
    const auto tree = xcbReply(xcb_query_tree_reply, c, first.tree);
    const auto list = xcbReply(xcb_get_property_reply, c, first.list);
    if (!tree)
        return std::nullopt;
    QSet<unsigned long> clients;
    if (list && list->type == XCB_ATOM_WINDOW && list->format == 32) {
        const auto *ids = static_cast<const xcb_window_t *>(xcb_get_property_value(list.get()));
        clients = QSet<unsigned long>(ids, ids + xcb_get_property_value_length(list.get()) / 4);
    }
    const QList<unsigned long> windows = childrenOf(tree.get());
    std::vector<xcb_get_window_attributes_cookie_t> attributeCookies;
    std::vector<xcb_get_geometry_cookie_t> geometryCookies;
    for (const unsigned long window : windows) {
        attributeCookies.push_back(xcb_get_window_attributes(c, xcb_window_t(window)));
        geometryCookies.push_back(xcb_get_geometry(c, xcb_window_t(window)));
    }
    QList<X11TopLevel> result;
    bool complete = true;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        // Every reply is read even after a failure, so none stays queued.
        const auto attributes
            = xcbReply(xcb_get_window_attributes_reply, c, attributeCookies[size_t(i)]);
        const auto geometry = xcbReply(xcb_get_geometry_reply, c, geometryCookies[size_t(i)]);
        complete = complete && attributes && geometry;
        if (!complete || attributes->map_state != XCB_MAP_STATE_VIEWABLE
            || attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY)
            continue;
        const int border = geometry->border_width;
        result.append({windows[i], windows[i],
            QRect(geometry->x, geometry->y, geometry->width + 2 * border,
                geometry->height + 2 * border),
            border, geometry->depth, bool(attributes->override_redirect)});
    }
    if (!complete)
        return std::nullopt;
    QList<unsigned long> frames;
    for (const X11TopLevel &window : std::as_const(result))
        frames.append(window.window);
    const QHash<unsigned long, unsigned long> found = clientsOf(frames, clients);
    for (X11TopLevel &window : result)
        window.client = found.value(window.window, window.window);
    return result;
}

unsigned long X11TopLevels::clientOf(unsigned long window, const QSet<unsigned long> &clients)
{
    return clientsOf({window}, clients).value(window, window);
}

// Breadth first, as a frame holds its decorations beside the client: the
// frame itself, then each level of its children, a level of every frame at
// once. Frames left out of the result are their own client.
QHash<unsigned long, unsigned long> X11TopLevels::clientsOf(
    const QList<unsigned long> &frames, const QSet<unsigned long> &clients)
{
    QHash<unsigned long, unsigned long> found;
    QList<unsigned long> owners;
    QList<QList<unsigned long>> levels;
    for (const unsigned long frame : frames) {
        if (clients.contains(frame)) {
            found.insert(frame, frame);
        } else {
            owners.append(frame);
            levels.append(QList<unsigned long> {frame});
        }
    }
    Look look = lookAt(levels);
    for (int depth = 0;; ++depth) {
        QList<unsigned long> openOwners;
        QList<QList<unsigned long>> openLevels;
        for (qsizetype i = 0; i < owners.size(); ++i) {
            if (look.stated[i]) {
                found.insert(owners[i], look.stated[i]);
            } else {
                openOwners.append(owners[i]);
                openLevels.append(look.children[i]);
            }
        }
        if (openOwners.isEmpty() || depth == maxClientDepth)
            return found;
        owners = openOwners;
        // A listed client wins over any WM_STATE on the same level.
        QList<unsigned long> listed;
        QList<QList<unsigned long>> unlisted;
        for (const QList<unsigned long> &level : std::as_const(openLevels)) {
            const auto hit = std::find_if(level.cbegin(), level.cend(),
                [&clients](unsigned long child) { return clients.contains(child); });
            listed.append(hit == level.cend() ? 0 : *hit);
            unlisted.append(hit == level.cend() ? level : QList<unsigned long>());
        }
        look = lookAt(unlisted);
        for (qsizetype i = 0; i < listed.size(); ++i)
            look.stated[i] = listed[i] ? listed[i] : look.stated[i];
    }
}

// Per level, the first window carrying WM_STATE (0 when none does) and the
// children of all its windows, which the next level needs when none does:
// both in one round trip. A window that cannot be read has no children.
X11TopLevels::Look X11TopLevels::lookAt(const QList<QList<unsigned long>> &levels)
{
    xcb_connection_t *c = m_connection.xcb();
    const auto state = xcb_atom_t(m_connection.atom("WM_STATE"));
    std::vector<xcb_get_property_cookie_t> states;
    std::vector<xcb_query_tree_cookie_t> trees;
    for (const QList<unsigned long> &level : levels) {
        for (const unsigned long window : level) {
            states.push_back(xcb_get_property(
                c, 0, xcb_window_t(window), state, XCB_GET_PROPERTY_TYPE_ANY, 0, 0));
            trees.push_back(xcb_query_tree(c, xcb_window_t(window)));
        }
    }
    Look look;
    size_t next = 0;
    for (const QList<unsigned long> &level : levels) {
        unsigned long first = 0;
        QList<unsigned long> children;
        for (const unsigned long window : level) {
            const auto reply = xcbReply(xcb_get_property_reply, c, states[next]);
            if (!first && reply && reply->type != XCB_NONE)
                first = window;
            children += childrenOf(xcbReply(xcb_query_tree_reply, c, trees[next++]).get());
        }
        look.stated.append(first);
        look.children.append(children);
    }
    return look;
}

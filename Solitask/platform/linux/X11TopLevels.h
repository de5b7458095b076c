#pragma once

#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>

#include <optional>

#include <xcb/xcb.h>

class X11Connection;

/// A viewable child of a root window: a window manager's frame, or a window
/// that stands alone (override-redirect pop-ups, or every window when no
/// window manager runs).
struct X11TopLevel
{
    unsigned long window = 0;
    unsigned long client = 0; // the application's own window inside it, or `window`
    QRect frame; // on the root, border included
    int border = 0;
    int depth = 0;
    bool overrideRedirect = false;
};

/// The server's own stacking order of a root's children (XQueryTree), bottom
/// to top, so that what is on screen does not depend on what a window manager
/// chooses to publish. Each frame is mapped to its client: the window with
/// WM_STATE inside it, helped by _NET_CLIENT_LIST where a manager keeps one.
class X11TopLevels
{
public:
    explicit X11TopLevels(X11Connection &connection);
    ~X11TopLevels();
    X11TopLevels(const X11TopLevels &) = delete;
    X11TopLevels &operator=(const X11TopLevels &) = delete;

    /// Sends the first requests of `read(root)` without waiting, so that they
    /// share a round trip with whatever is sent next.
    void ask(unsigned long root);
    /// None when the server refused a request on the way.
    std::optional<QList<X11TopLevel>> read(unsigned long root);
    /// The child of its root that holds `window` (the window manager's frame,
    /// or the window itself when nothing reparented it), 0 when the walk
    /// fails; `root` is set to that root.
    static unsigned long topLevelOf(
        struct _XDisplay *display, unsigned long window, unsigned long *root = nullptr);
    /// The client inside the top-level `window`, or `window` itself.
    unsigned long clientOf(unsigned long window, const QSet<unsigned long> &clients);

private:
    QHash<unsigned long, unsigned long> clientsOf(
        const QList<unsigned long> &frames, const QSet<unsigned long> &clients);
    struct Look
    {
        QList<unsigned long> stated;
        QList<QList<unsigned long>> children;
    };

    Look lookAt(const QList<QList<unsigned long>> &levels);

    struct First
    {
        unsigned long root = 0;
        xcb_query_tree_cookie_t tree {};
        xcb_get_property_cookie_t list {};
    };

    void forget();

    X11Connection &m_connection;
    std::optional<First> m_first;
};

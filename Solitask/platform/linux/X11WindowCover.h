#pragma once

#include "Solitask/platform/linux/BlankRegion.h"
#include "Solitask/platform/linux/X11TopLevels.h"

#include <QHash>

#include <xcb/shape.h>

class X11Connection;

/// How much of what lies beneath a top-level window it really hides. Only an
/// opaque window hides anything: not on a 32-bit (ARGB) visual, without a
/// _NET_WM_WINDOW_OPACITY below full, and when shaped, only inside its shape.
class X11WindowCover
{
public:
    explicit X11WindowCover(X11Connection &connection);
    ~X11WindowCover();
    X11WindowCover(const X11WindowCover &) = delete;
    X11WindowCover &operator=(const X11WindowCover &) = delete;

    /// Sends the requests `describe` reads for `windows` without waiting, so
    /// that they share a round trip with whatever is sent next.
    void ask(const QList<X11TopLevel> &windows);
    /// Fills `opaque` and `shape` of every window in `stacked` that is not
    /// hidden; `windows` and `stacked` run side by side. Answers to `ask`
    /// about other windows are dropped.
    void describe(const QList<X11TopLevel> &windows, QList<StackedWindow> &stacked);

private:
    struct Asked
    {
        bool framed = false; // the client sits inside a frame of the window manager
        xcb_get_geometry_cookie_t client {};
        xcb_get_property_cookie_t frameOpacity {}, clientOpacity {};
        xcb_shape_query_extents_cookie_t extents {};
    };

    void forget();
    static QRegion boundingShape(
        const X11TopLevel &window, const xcb_shape_get_rectangles_reply_t *reply);

    X11Connection &m_connection;
    bool m_hasShape = false;
    QHash<unsigned long, Asked> m_asked;
};

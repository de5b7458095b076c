#pragma once

#include "Solitask/platform/linux/BlankRegion.h"
#include "Solitask/platform/linux/X11TopLevels.h"

class X11Connection;
typedef struct xcb_shape_get_rectangles_reply_t xcb_shape_get_rectangles_reply_t;

/// How much of what lies beneath a top-level window it really hides. Only an
/// opaque window hides anything: not on a 32-bit (ARGB) visual, without a
/// _NET_WM_WINDOW_OPACITY below full, and when shaped, only inside its shape.
class X11WindowCover
{
public:
    explicit X11WindowCover(X11Connection &connection);

    /// Fills `opaque` and `shape` of every window in `stacked` that is not
    /// hidden; `windows` and `stacked` run side by side.
    void describe(const QList<X11TopLevel> &windows, QList<StackedWindow> &stacked);

private:
    static QRegion boundingShape(
        const X11TopLevel &window, const xcb_shape_get_rectangles_reply_t *reply);

    X11Connection &m_connection;
    bool m_hasShape = false;
};

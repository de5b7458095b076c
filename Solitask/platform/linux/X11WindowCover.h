#pragma once

#include "Solitask/platform/linux/BlankRegion.h"
#include "Solitask/platform/linux/X11TopLevels.h"

class X11Connection;
class X11Properties;

/// How much of what lies beneath a top-level window it really hides. Only an
/// opaque window hides anything: not on a 32-bit (ARGB) visual, without a
/// _NET_WM_WINDOW_OPACITY below full, and when shaped, only inside its shape.
class X11WindowCover
{
public:
    X11WindowCover(X11Connection &connection, X11Properties &properties);

    /// Fills `opaque` and `shape` of `stacked` for `window`.
    void describe(const X11TopLevel &window, StackedWindow &stacked);

private:
    bool isOpaque(const X11TopLevel &window);
    QRegion boundingShape(const X11TopLevel &window, bool *shaped);

    X11Connection &m_connection;
    X11Properties &m_properties;
    bool m_hasShape = false;
};

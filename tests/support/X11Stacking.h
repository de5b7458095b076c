#pragma once

// Whether one window stands above another in the X server's stacking order,
// read from the server itself: the X11 tests check the surfaces' stacking
// rule with it.

#include "Solitask/platform/WindowStacking.h"

#include <QWidget>

namespace X11Stacking {

inline bool isAbove(const QWidget &above, const QWidget &below)
{
    const int a = WindowStacking::position(above.windowHandle());
    const int b = WindowStacking::position(below.windowHandle());
    return a >= 0 && b >= 0 && a > b;
}

} // namespace X11Stacking

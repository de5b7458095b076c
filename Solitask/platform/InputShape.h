#pragma once

class QWindow;

/// Where an X11 window takes pointer input.
namespace InputShape {

/// Lets `window` take input wherever it is drawn. Turning Qt's
/// transparent-for-input flag off sets the input region to the window's size
/// at that moment, and it does not follow later resizes; this clears it.
void followBounds(QWindow *window);

} // namespace InputShape

#include "Solitask/platform/InputShape.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace InputShape {

void followBounds(QWindow *window)
{
    if (!window || !window->handle() || QGuiApplication::platformName() != QStringLiteral("xcb"))
        return;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    // No input shape at all means: the same as the bounding shape.
    XShapeCombineMask(display, Window(window->winId()), ShapeInput, 0, 0, None, ShapeSet);
    XFlush(display);
}

} // namespace InputShape

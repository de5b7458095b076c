#include "Solitask/platform/Compositing.h"

#include <QByteArray>
#include <QGuiApplication>

#include <X11/Xlib.h>

namespace Compositing {

bool active()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return true;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return true;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

} // namespace Compositing

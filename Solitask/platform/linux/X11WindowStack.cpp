#include "Solitask/platform/linux/X11WindowStack.h"

#include "Solitask/platform/linux/X11Connection.h"

#include <QGuiApplication>
#include <QWindow>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

X11WindowStack::X11WindowStack(std::shared_ptr<X11Connection> connection, RunningApp own)
    : m_connection(std::move(connection))
    , m_properties(*m_connection)
    , m_identity(m_properties, std::move(own))
{
}

bool X11WindowStack::isHidden(unsigned long window, const QSet<QString> &hiddenBundleIDs)
{
    const RunningApp app = m_identity.cached(window);
    if (app.pid != 0 && app.pid == m_identity.own().pid)
        return true;
    return !app.bundleID.isEmpty() && hiddenBundleIDs.contains(app.bundleID);
}

QList<StackedWindow> X11WindowStack::read(int screen, const QSet<QString> &hiddenBundleIDs)
{
    const unsigned long root = m_connection->root(screen);
    const QList<unsigned long> stack = m_properties.windows(root, "_NET_CLIENT_LIST_STACKING");
    m_identity.keepOnly(stack);
    qsizetype lowest = 0;
    while (lowest < stack.size() && !isHidden(stack[lowest], hiddenBundleIDs))
        ++lowest;
    QList<StackedWindow> result;
    for (qsizetype i = lowest; i < stack.size(); ++i) {
        if (const auto rect = frame(stack[i], root))
            result.append({*rect, isHidden(stack[i], hiddenBundleIDs)});
    }
    return result + ownUnmanaged(root, stack);
}

std::optional<QRect> X11WindowStack::frame(unsigned long window, unsigned long root)
{
    Display *display = m_connection->display();
    XWindowAttributes attributes {};
    if (!m_connection->isAlive() || !XGetWindowAttributes(display, window, &attributes)
        || attributes.map_state != IsViewable || attributes.root != Window(root))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = None;
    if (!XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child))
        return std::nullopt;
    const int border = attributes.border_width;
    QRect rect(x - border, y - border, attributes.width + 2 * border,
        attributes.height + 2 * border);
    const QList<long> extents = m_properties.cardinals(window, "_NET_FRAME_EXTENTS");
    if (extents.size() == 4)
        rect.adjust(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
    return rect;
}

QList<StackedWindow> X11WindowStack::ownUnmanaged(unsigned long root,
    const QList<unsigned long> &managed)
{
    QList<StackedWindow> result;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return result;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || managed.contains(window->winId()))
            continue;
        if (const auto rect = frame(window->winId(), root))
            result.append({*rect, true});
    }
    return result;
}

#include "Solitask/platform/linux/ScreenCapturerX11.h"

#include "Solitask/platform/linux/X11Connection.h"

#include <QPainter>
#include <QSet>

#include <malloc.h>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

struct ServerGrab
{
    explicit ServerGrab(X11Connection &connection)
        : connection(connection)
    {
        XGrabServer(connection.display());
    }
    ~ServerGrab()
    {
        // A lost server holds no grab, and its display must not be touched again.
        if (!connection.isAlive())
            return;
        XUngrabServer(connection.display());
        XFlush(connection.display());
    }
    ServerGrab(const ServerGrab &) = delete;
    ServerGrab &operator=(const ServerGrab &) = delete;

    X11Connection &connection;
};

} // namespace

ScreenCapturerX11::ScreenCapturerX11(std::shared_ptr<X11Connection> connection, RunningApp own)
    : m_connection(connection)
    , m_grabber(connection)
    , m_stack(connection, std::move(own))
{
}

Support ScreenCapturerX11::support() const
{
    if (!m_connection->isAlive())
        return Support::no(QStringLiteral("the X connection is lost"));
    return Support::yes();
}

void ScreenCapturerX11::capture(const QStringList &excludedBundleIDs, Completion done)
{
    done(captureNow(excludedBundleIDs));
    // Frames are minutes apart: the screen's worth of shared memory, and what
    // encoding left in the heap, go back to the system in between.
    m_grabber.release();
    malloc_trim(0);
}

CaptureResult ScreenCapturerX11::captureNow(const QStringList &excludedBundleIDs)
{
    if (!m_connection->isAlive())
        return CaptureResult::failure(QStringLiteral("the X connection is lost"));
    const auto where = target();
    if (!where)
        return CaptureResult::failure(QStringLiteral("no screen to capture"));
    const QSet<QString> hidden(excludedBundleIDs.cbegin(), excludedBundleIDs.cend());
    QString error;
    QImage image;
    QRegion blank;
    {
        // Nothing may map, move or restack between the walk and the pixels.
        ServerGrab grab(*m_connection);
        const auto stack = m_stack.read(where->screen, hidden);
        if (!stack && !m_connection->isAlive())
            return CaptureResult::failure(QStringLiteral("the X connection is lost"));
        if (!stack)
            return CaptureResult::unsure(QStringLiteral("the window stack could not be read"));
        blank = BlankRegion::compute(*stack);
        image = m_grabber.grab(where->screen, where->rect, &error);
    }
    if (image.isNull())
        return CaptureResult::failure(error);
    blank.translate(-where->rect.topLeft());
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &rect : blank)
        painter.fillRect(rect, QColor::fromRgb(blankColour));
    painter.end();
    m_connection->scheduleDispatch();
    return {image, QString(), false};
}

std::optional<ScreenCapturerX11::Target> ScreenCapturerX11::target()
{
    Display *display = m_connection->display();
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        Window root = None, child = None;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int mask = 0;
        if (XQueryPointer(display, m_connection->root(screen), &root, &child, &rootX, &rootY, &x,
                &y, &mask))
            return Target {screen, monitorAt(screen, QPoint(rootX, rootY))};
    }
    return std::nullopt;
}

// The monitor holding the pointer, else the primary one, else the whole screen.
QRect ScreenCapturerX11::monitorAt(int screen, const QPoint &pointer)
{
    Display *display = m_connection->display();
    const QRect whole(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen));
    int count = 0;
    XRRMonitorInfo *monitors = XRRGetMonitors(display, m_connection->root(screen), True, &count);
    QRect chosen, primary;
    for (int i = 0; i < count; ++i) {
        const QRect rect(monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height);
        if (monitors[i].primary || primary.isNull())
            primary = rect;
        if (chosen.isNull() && rect.contains(pointer))
            chosen = rect;
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    const QRect result = (chosen.isNull() ? primary : chosen).intersected(whole);
    return result.isEmpty() ? whole : result;
}

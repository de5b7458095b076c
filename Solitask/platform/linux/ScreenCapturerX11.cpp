#include "Solitask/platform/linux/ScreenCapturerX11.h"

#include "Solitask/platform/ImageHalving.h"
#include "Solitask/platform/ReducedImage.h"
#include "Solitask/platform/linux/BlankRegion.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/XcbReply.h"

#include <QSet>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include <malloc.h>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

struct ServerGrab
{
    // The grab goes out with the first requests made under it.
    explicit ServerGrab(X11Connection &connection)
        : connection(connection)
    {
        xcb_grab_server(connection.xcb());
    }
    ~ServerGrab()
    {
        // A lost server holds no grab, and its display must not be touched again.
        if (!connection.isAlive())
            return;
        xcb_ungrab_server(connection.xcb());
        xcb_flush(connection.xcb());
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

void ScreenCapturerX11::capture(const QStringList &excludedBundleIDs, int minWidth, Completion done)
{
    done(captureNow(excludedBundleIDs, minWidth));
    // Frames are minutes apart: what assembling and encoding left in the heap
    // goes back to the system in between.
    malloc_trim(0);
}

CaptureResult ScreenCapturerX11::captureNow(const QStringList &excludedBundleIDs, int minWidth)
{
    if (!m_connection->isAlive())
        return CaptureResult::failure(QStringLiteral("the X connection is lost"));
    // Nothing may map, move or restack between the walk and the last band. The
    // walk of the screen last captured starts with the pointer's request.
    ServerGrab grab(*m_connection);
    m_stack.ask(m_lastScreen);
    const auto where = target();
    if (!where)
        return CaptureResult::failure(QStringLiteral("no screen to capture"));
    m_lastScreen = where->screen;
    const QSet<QString> hidden(excludedBundleIDs.cbegin(), excludedBundleIDs.cend());
    const auto stack = m_stack.read(where->screen, hidden);
    if (!stack && !m_connection->isAlive())
        return CaptureResult::failure(QStringLiteral("the X connection is lost"));
    if (!stack)
        return CaptureResult::unsure(QStringLiteral("the window stack could not be read"));
    QRegion blank = BlankRegion::compute(*stack);
    blank.translate(-where->rect.topLeft());
    QString error;
    const QImage image = assemble(*where, blank, minWidth, &error);
    if (image.isNull())
        return CaptureResult::failure(error);
    m_connection->scheduleDispatch();
    return {image, QString(), false};
}

// Whole halvings that keep the picture at least the frame's size; bands are
// 2^halvings rows apart, so every band halves alone.
int ScreenCapturerX11::halvings(const QSize &screen, int minWidth)
{
    if (minWidth <= 0 || screen.width() <= 0)
        return 0;
    const QSize frame(minWidth, int(qint64(screen.height()) * minWidth / screen.width()));
    return std::min(ImageHalving::count(screen, frame), std::countr_zero(unsigned(bandRows)));
}

// The frame itself where the halved screen is larger, so that the halved
// picture is never kept whole.
QSize ScreenCapturerX11::frameFrom(const QSize &halved, int minWidth)
{
    if (minWidth <= 0)
        return {};
    const QSize frame = frameSize(halved, minWidth);
    const bool smaller = frame.width() <= halved.width() && frame.height() <= halved.height();
    return smaller && frame != halved ? frame : QSize();
}

// Each band is blanked the moment it arrives, before it is reduced into the picture.
QImage ScreenCapturerX11::assemble(
    const Target &where, const QRegion &blank, int minWidth, QString *error)
{
    const int times = halvings(where.rect.size(), minWidth);
    const QSize halved(where.rect.width() >> times, where.rect.height() >> times);
    ReducedImage picture(where.rect.size(), times, frameFrom(halved, minWidth));
    if (picture.image().isNull()) {
        *error = QStringLiteral("no memory for the screen image");
        return {};
    }
    const int width = where.rect.width();
    for (int top = 0; top < where.rect.height(); top += bandRows) {
        const QRect band(0, top, width, std::min(bandRows, where.rect.height() - top));
        QImage pixels = m_grabber.grab(where.screen, band.translated(where.rect.topLeft()), error);
        if (pixels.isNull())
            return {};
        blankBand(pixels, blank.intersected(band), top);
        picture.add(pixels, top);
    }
    return picture.image();
}

// A rectangle's first row is filled pixel by pixel and copied to the others:
// a copy moves whole registers, a fill of 32-bit values one pixel at a time.
void ScreenCapturerX11::blankBand(QImage &band, const QRegion &blank, int top)
{
    for (const QRect &rect : blank) {
        const auto row
            = [&](int y) { return reinterpret_cast<QRgb *>(band.scanLine(y - top)) + rect.left(); };
        std::fill_n(row(rect.top()), rect.width(), blankColour);
        for (int y = rect.top() + 1; y <= rect.bottom(); ++y)
            std::memcpy(row(y), row(rect.top()), size_t(rect.width()) * sizeof(QRgb));
    }
}

// Every screen's pointer is asked for together with the first screen's
// monitors: one round trip while the pointer is on the first screen.
std::optional<ScreenCapturerX11::Target> ScreenCapturerX11::target()
{
    xcb_connection_t *c = m_connection->xcb();
    std::vector<xcb_query_pointer_cookie_t> cookies;
    for (int screen = 0; screen < m_connection->screenCount(); ++screen)
        cookies.push_back(xcb_query_pointer(c, xcb_window_t(m_connection->root(screen))));
    const Monitors first = monitors(0);
    std::optional<Target> found;
    for (size_t screen = 0; screen < cookies.size(); ++screen) {
        // Every reply is read, so that none stays queued.
        const auto pointer = xcbReply(xcb_query_pointer_reply, c, cookies[screen]);
        if (found || !pointer || !pointer->same_screen)
            continue;
        const int index = int(screen);
        found = Target {index,
            monitorAt(index, index == 0 ? first : monitors(index),
                QPoint(pointer->root_x, pointer->root_y))};
    }
    return found;
}

ScreenCapturerX11::Monitors ScreenCapturerX11::monitors(int screen)
{
    Monitors result;
    if (screen >= m_connection->screenCount())
        return result;
    int count = 0;
    XRRMonitorInfo *monitors
        = XRRGetMonitors(m_connection->display(), m_connection->root(screen), True, &count);
    for (int i = 0; i < count; ++i) {
        const QRect rect(monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height);
        if (monitors[i].primary || result.primary.isNull())
            result.primary = rect;
        result.all.append(rect);
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    return result;
}

// The monitor holding the pointer, else the primary one, else the whole screen.
QRect ScreenCapturerX11::monitorAt(int screen, const Monitors &monitors, const QPoint &pointer)
{
    Display *display = m_connection->display();
    const QRect whole(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen));
    const auto holding = std::find_if(monitors.all.cbegin(), monitors.all.cend(),
        [&pointer](const QRect &rect) { return rect.contains(pointer); });
    const QRect result
        = (holding == monitors.all.cend() ? monitors.primary : *holding).intersected(whole);
    return result.isEmpty() ? whole : result;
}

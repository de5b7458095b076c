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

#include <xcb/randr.h>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>

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
    // xcb ends the connection on a request of an extension the server lacks.
    const xcb_query_extension_reply_t *randr
        = xcb_get_extension_data(connection->xcb(), &xcb_randr_id);
    m_hasRandr = randr && randr->present;
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

// Every screen's pointer and monitors are asked for at once, with the walk's
// first requests: one round trip.
std::optional<ScreenCapturerX11::Target> ScreenCapturerX11::target()
{
    xcb_connection_t *c = m_connection->xcb();
    std::vector<xcb_query_pointer_cookie_t> pointers;
    std::vector<xcb_randr_get_monitors_cookie_t> monitors;
    for (int screen = 0; screen < m_connection->screenCount(); ++screen) {
        const auto root = xcb_window_t(m_connection->root(screen));
        pointers.push_back(xcb_query_pointer(c, root));
        if (m_hasRandr)
            monitors.push_back(xcb_randr_get_monitors(c, root, 1));
    }
    std::optional<Target> found;
    for (size_t screen = 0; screen < pointers.size(); ++screen) {
        // Every reply is read, so that none stays queued.
        const auto pointer = xcbReply(xcb_query_pointer_reply, c, pointers[screen]);
        const auto list
            = m_hasRandr ? xcbReply(xcb_randr_get_monitors_reply, c, monitors[screen]) : nullptr;
        if (found || !pointer || !pointer->same_screen)
            continue;
        found = Target {int(screen),
            monitorAt(int(screen), list.get(), QPoint(pointer->root_x, pointer->root_y))};
    }
    return found;
}

// The monitor holding the pointer, else the primary one, else the whole screen.
QRect ScreenCapturerX11::monitorAt(
    int screen, const xcb_randr_get_monitors_reply_t *monitors, const QPoint &pointer)
{
    Display *display = m_connection->display();
    const QRect whole(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen));
    QRect chosen, primary;
    auto it = monitors ? xcb_randr_get_monitors_monitors_iterator(monitors)
                       : xcb_randr_monitor_info_iterator_t {};
    for (; monitors && it.rem > 0; xcb_randr_monitor_info_next(&it)) {
        const QRect rect(it.data->x, it.data->y, it.data->width, it.data->height);
        if (it.data->primary || primary.isNull())
            primary = rect;
        if (chosen.isNull() && rect.contains(pointer))
            chosen = rect;
    }
    const QRect result = (chosen.isNull() ? primary : chosen).intersected(whole);
    return result.isEmpty() ? whole : result;
}

#include "Solitask/platform/linux/X11ShmGrabber.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11ErrorTrap.h"
#include "Solitask/platform/linux/X11PixelFormat.h"

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

struct X11ShmGrabber::Segment
{
    explicit Segment(std::shared_ptr<X11Connection> connection)
        : connection(std::move(connection))
    {
    }
    ~Segment()
    {
        if (attached && connection->isAlive())
            XShmDetach(connection->display(), &info);
        if (image)
            XDestroyImage(image); // frees the XImage, not the shared memory
        if (info.shmaddr && info.shmaddr != reinterpret_cast<char *>(-1))
            shmdt(info.shmaddr);
    }
    Segment(const Segment &) = delete;
    Segment &operator=(const Segment &) = delete;

    std::shared_ptr<X11Connection> connection;
    XShmSegmentInfo info {};
    XImage *image = nullptr;
    bool attached = false;
    int screen = -1;
    int width = 0;
};

X11ShmGrabber::X11ShmGrabber(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
    , m_shmAvailable(XShmQueryExtension(m_connection->display()))
{
}

X11ShmGrabber::~X11ShmGrabber() = default;

bool X11ShmGrabber::prepare(int screen, int width)
{
    if (m_segment && m_segment.use_count() == 1 && m_segment->screen == screen
        && m_segment->width == width)
        return true;
    m_segment.reset();
    Display *display = m_connection->display();
    auto segment = std::make_shared<Segment>(m_connection);
    segment->image = XShmCreateImage(display, DefaultVisual(display, screen),
        DefaultDepth(display, screen), ZPixmap, nullptr, &segment->info, unsigned(width),
        bandHeight);
    if (!segment->image)
        return false;
    segment->info.shmid = shmget(IPC_PRIVATE,
        size_t(segment->image->bytes_per_line) * bandHeight, IPC_CREAT | 0600);
    if (segment->info.shmid < 0)
        return false;
    segment->info.shmaddr = segment->image->data
        = static_cast<char *>(shmat(segment->info.shmid, nullptr, 0));
    segment->info.readOnly = False;
    X11ErrorTrap trap(display);
    segment->attached = segment->info.shmaddr != reinterpret_cast<char *>(-1)
        && XShmAttach(display, &segment->info) && trap.sync() == 0;
    // Marked for removal now, so the segment goes away with the last user,
    // whatever happens to this process.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!segment->attached)
        return false;
    segment->screen = screen;
    segment->width = width;
    m_segment = std::move(segment);
    return true;
}

QImage X11ShmGrabber::grab(int screen, const QRect &rect, QString *error)
{
    if (!m_connection->isAlive()) {
        *error = QStringLiteral("the X connection is lost");
        return {};
    }
    if (rect.height() > bandHeight) {
        *error = QStringLiteral("a band taller than the grab segment");
        return {};
    }
    if (!m_shmAvailable || !prepare(screen, rect.width())) {
        // A remote or restricted display refuses shared memory; plain requests still work.
        m_shmAvailable = false;
        return grabPlain(screen, rect, error);
    }
    // A screen's last band may be shorter: the request reads the image's height.
    m_segment->image->height = rect.height();
    // The request waits for its reply, which carries any error: no sync needed.
    X11ErrorTrap trap(m_connection->display());
    const bool ok = XShmGetImage(m_connection->display(), m_connection->root(screen),
        m_segment->image, rect.x(), rect.y(), AllPlanes);
    if (!ok || !m_connection->isAlive()) {
        *error = m_connection->isAlive() ? QStringLiteral("the X server refused the screen image")
                                         : QStringLiteral("the X connection is lost");
        return {};
    }
    return lent(m_segment, error);
}

QImage X11ShmGrabber::lent(const std::shared_ptr<Segment> &segment, QString *error)
{
    const XImage *image = segment->image;
    const bool rgb32 = image->bits_per_pixel == 32 && image->red_mask == 0xff0000
        && image->green_mask == 0xff00 && image->blue_mask == 0xff
        && image->byte_order == LSBFirst;
    if (!rgb32)
        return toImage(segment->image, error);
    auto *holder = new std::shared_ptr<Segment>(segment);
    return QImage(reinterpret_cast<uchar *>(image->data), image->width, image->height,
        image->bytes_per_line, QImage::Format_RGB32,
        [](void *held) { delete static_cast<std::shared_ptr<Segment> *>(held); }, holder);
}

QImage X11ShmGrabber::grabPlain(int screen, const QRect &rect, QString *error)
{
    X11ErrorTrap trap(m_connection->display());
    XImage *image = XGetImage(m_connection->display(), m_connection->root(screen), rect.x(),
        rect.y(), unsigned(rect.width()), unsigned(rect.height()), AllPlanes, ZPixmap);
    trap.sync();
    if (!image) {
        *error = m_connection->isAlive() ? QStringLiteral("the X server refused the screen image")
                                         : QStringLiteral("the X connection is lost");
        return {};
    }
    QImage result = toImage(image, error);
    XDestroyImage(image);
    return result;
}

QImage X11ShmGrabber::toImage(XImage *image, QString *error)
{
    return X11PixelFormat::toRgb32(image, error);
}

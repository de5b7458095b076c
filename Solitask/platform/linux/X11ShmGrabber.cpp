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
    XShmSegmentInfo info {};
    XImage *image = nullptr;
    int screen = -1;
    QSize size;
};

X11ShmGrabber::X11ShmGrabber(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
    , m_shmAvailable(XShmQueryExtension(m_connection->display()))
{
}

X11ShmGrabber::~X11ShmGrabber()
{
    release();
}

void X11ShmGrabber::release()
{
    if (!m_segment)
        return;
    if (m_connection->isAlive() && m_segment->info.shmaddr)
        XShmDetach(m_connection->display(), &m_segment->info);
    if (m_segment->image)
        XDestroyImage(m_segment->image); // frees the XImage, not the shared memory
    if (m_segment->info.shmaddr)
        shmdt(m_segment->info.shmaddr);
    m_segment.reset();
}

bool X11ShmGrabber::prepare(int screen, const QSize &size)
{
    if (m_segment && m_segment->screen == screen && m_segment->size == size)
        return true;
    release();
    Display *display = m_connection->display();
    auto segment = std::make_unique<Segment>();
    segment->image = XShmCreateImage(display, DefaultVisual(display, screen),
        DefaultDepth(display, screen), ZPixmap, nullptr, &segment->info, size.width(),
        size.height());
    if (!segment->image)
        return false;
    segment->info.shmid = shmget(IPC_PRIVATE,
        size_t(segment->image->bytes_per_line) * size_t(size.height()), IPC_CREAT | 0600);
    if (segment->info.shmid < 0) {
        XDestroyImage(segment->image);
        return false;
    }
    segment->info.shmaddr = segment->image->data
        = static_cast<char *>(shmat(segment->info.shmid, nullptr, 0));
    segment->info.readOnly = False;
    X11ErrorTrap trap(display);
    const bool attached = segment->info.shmaddr != reinterpret_cast<char *>(-1)
        && XShmAttach(display, &segment->info) && trap.sync() == 0;
    // Marked for removal now, so the segment goes away with the last user,
    // whatever happens to this process.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!attached) {
        if (segment->info.shmaddr != reinterpret_cast<char *>(-1))
            shmdt(segment->info.shmaddr);
        segment->info.shmaddr = nullptr;
        XDestroyImage(segment->image);
        return false;
    }
    segment->screen = screen;
    segment->size = size;
    m_segment = std::move(segment);
    return true;
}

QImage X11ShmGrabber::grab(int screen, const QRect &rect, QString *error)
{
    if (!m_connection->isAlive()) {
        *error = QStringLiteral("the X connection is lost");
        return {};
    }
    if (!m_shmAvailable || !prepare(screen, rect.size())) {
        // A remote or restricted display refuses shared memory; plain requests still work.
        m_shmAvailable = false;
        return grabPlain(screen, rect, error);
    }
    X11ErrorTrap trap(m_connection->display());
    const bool ok = XShmGetImage(m_connection->display(), m_connection->root(screen),
        m_segment->image, rect.x(), rect.y(), AllPlanes);
    if (!ok || trap.sync() != 0 || !m_connection->isAlive()) {
        *error = m_connection->isAlive() ? QStringLiteral("the X server refused the screen image")
                                         : QStringLiteral("the X connection is lost");
        return {};
    }
    return toImage(m_segment->image, error);
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

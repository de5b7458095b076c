#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

class X11Connection;
struct _XImage;

/// Copies a rectangle of a root window into an image, through one shared-memory
/// segment kept between grabs (the first MIT-SHM grab is slow, later ones
/// cost well under a millisecond), or with plain XGetImage where the server
/// offers no shared memory.
class X11ShmGrabber
{
public:
    explicit X11ShmGrabber(std::shared_ptr<X11Connection> connection);
    ~X11ShmGrabber();
    X11ShmGrabber(const X11ShmGrabber &) = delete;
    X11ShmGrabber &operator=(const X11ShmGrabber &) = delete;

    /// A deep copy in Format_RGB32; a null image and `error` set on failure.
    QImage grab(int screen, const QRect &rect, QString *error);
    bool usesSharedMemory() const { return m_shmAvailable; }

private:
    bool prepare(int screen, const QSize &size);
    void release();
    QImage grabPlain(int screen, const QRect &rect, QString *error);
    static QImage toImage(struct _XImage *image, QString *error);

    std::shared_ptr<X11Connection> m_connection;
    bool m_shmAvailable = false;
    struct Segment;
    std::unique_ptr<Segment> m_segment;
};

#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

class X11Connection;
struct _XImage;

/// Reads a band of rows of a root window into an image through a small
/// shared-memory segment, or with plain XGetImage where the server offers no
/// shared memory. The segment is made once, as wide as the monitor and
/// `bandHeight` rows high, and kept: a new segment costs the server far more
/// than the rows it carries. A grab in the usual pixel layout is not copied:
/// the image is the segment, and keeps it alive for as long as the image or a
/// copy of it lives; the next grab reuses the segment when no image holds it
/// any more.
class X11ShmGrabber
{
public:
    explicit X11ShmGrabber(std::shared_ptr<X11Connection> connection);
    ~X11ShmGrabber();
    X11ShmGrabber(const X11ShmGrabber &) = delete;
    X11ShmGrabber &operator=(const X11ShmGrabber &) = delete;

    // Each band is a round trip to the server: 128 rows keep a 1080-line
    // screen to nine, for a segment of 1 MB at 1920 pixels.
    static constexpr int bandHeight = 128;

    /// `rect`, at most `bandHeight` rows, in Format_RGB32; a null image and
    /// `error` set on failure.
    QImage grab(int screen, const QRect &rect, QString *error);
    bool usesSharedMemory() const { return m_shmAvailable; }

private:
    struct Segment;

    bool prepare(int screen, int width);
    QImage grabPlain(int screen, const QRect &rect, QString *error);
    static QImage lent(const std::shared_ptr<Segment> &segment, QString *error);
    static QImage toImage(struct _XImage *image, QString *error);

    std::shared_ptr<X11Connection> m_connection;
    bool m_shmAvailable = false;
    std::shared_ptr<Segment> m_segment;
};

#include "Solitask/platform/wayland/ScreencopyFrame.h"

#include "Solitask/platform/wayland/WaylandConnection.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>

#include <functional>

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr int answerMs = 2000;

struct Copy
{
    uint32_t format = 0;
    int width = 0, height = 0, stride = 0;
    bool shmOffered = false;
    bool buffersDone = false;
    bool yInvert = false;
    bool ready = false;
    bool failed = false;
};

Copy &of(void *data)
{
    return *static_cast<Copy *>(data);
}

void onBuffer(void *data, zwlr_screencopy_frame_v1 *, uint32_t format, uint32_t width,
    uint32_t height, uint32_t stride)
{
    Copy &c = of(data);
    c = {format, int(width), int(height), int(stride), true, c.buffersDone, false, false, false};
}
void onFlags(void *data, zwlr_screencopy_frame_v1 *, uint32_t flags)
{
    of(data).yInvert = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}
void onReady(void *data, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t)
{
    of(data).ready = true;
}
void onFailed(void *data, zwlr_screencopy_frame_v1 *)
{
    of(data).failed = true;
}
void onDamage(void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t, uint32_t) { }
void onDmabuf(void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t) { }
void onBufferDone(void *data, zwlr_screencopy_frame_v1 *)
{
    of(data).buffersDone = true;
}

const zwlr_screencopy_frame_v1_listener frameListener {
    onBuffer, onFlags, onReady, onFailed, onDamage, onDmabuf, onBufferDone};

QImage::Format imageFormat(uint32_t format)
{
    switch (format) {
    case WL_SHM_FORMAT_XRGB8888:
        return QImage::Format_RGB32;
    case WL_SHM_FORMAT_ARGB8888:
        return QImage::Format_ARGB32;
    case WL_SHM_FORMAT_XBGR8888:
        return QImage::Format_RGBX8888;
    case WL_SHM_FORMAT_ABGR8888:
        return QImage::Format_RGBA8888;
    default:
        return QImage::Format_Invalid;
    }
}

bool waitFor(WaylandConnection &connection, const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(answerMs);
    while (!done()) {
        if (deadline.hasExpired() || !connection.roundtrip())
            return false;
    }
    return true;
}

/// Anonymous shared memory mapped for the compositor to write into.
struct SharedBuffer
{
    int fd = -1;
    void *data = MAP_FAILED;
    size_t size = 0;
    wl_buffer *buffer = nullptr;

    bool create(wl_shm *shm, const Copy &c)
    {
        size = size_t(c.stride) * size_t(c.height);
        fd = memfd_create("solitask-frame", MFD_CLOEXEC);
        if (fd < 0 || ftruncate(fd, off_t(size)) != 0)
            return false;
        data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (data == MAP_FAILED)
            return false;
        wl_shm_pool *pool = wl_shm_create_pool(shm, fd, int32_t(size));
        buffer = wl_shm_pool_create_buffer(pool, 0, c.width, c.height, c.stride, c.format);
        wl_shm_pool_destroy(pool);
        return buffer != nullptr;
    }
    ~SharedBuffer()
    {
        if (buffer)
            wl_buffer_destroy(buffer);
        if (data != MAP_FAILED)
            munmap(data, size);
        if (fd >= 0)
            close(fd);
    }
};

QImage copyOut(
    WaylandConnection &connection, zwlr_screencopy_frame_v1 *frame, Copy &c, QString *error)
{
    const QImage::Format format = imageFormat(c.format);
    if (format == QImage::Format_Invalid) {
        *error = QStringLiteral("unknown pixel format %1").arg(c.format);
        return {};
    }
    SharedBuffer shared;
    if (!connection.shm() || !shared.create(connection.shm(), c)) {
        *error = QStringLiteral("no shared memory for the frame");
        return {};
    }
    zwlr_screencopy_frame_v1_copy(frame, shared.buffer);
    if (!waitFor(connection, [&c] { return c.ready || c.failed; }) || c.failed) {
        *error = QStringLiteral("the compositor did not copy the output");
        return {};
    }
    const QImage view(static_cast<const uchar *>(shared.data), c.width, c.height, c.stride, format);
    // A deep copy before the mapping goes away: converting to the format it
    // already has would share the mapped pixels.
    QImage image = view.copy().convertToFormat(QImage::Format_RGB32);
    return c.yInvert ? image.mirrored(false, true) : image;
}

} // namespace

namespace ScreencopyFrame {

QImage grab(WaylandConnection &connection, zwlr_screencopy_manager_v1 *manager, wl_output *output,
    QString *error)
{
    zwlr_screencopy_frame_v1 *frame = zwlr_screencopy_manager_v1_capture_output(manager, 0, output);
    Copy copy;
    zwlr_screencopy_frame_v1_add_listener(frame, &frameListener, &copy);
    // Version 3 lists every buffer type before buffer_done; older ones offer shared memory only.
    const bool listsTypes = zwlr_screencopy_frame_v1_get_version(frame) >= 3;
    QImage image;
    if (!waitFor(connection,
            [&] { return copy.failed || (listsTypes ? copy.buffersDone : copy.shmOffered); }))
        *error = QStringLiteral("the compositor did not answer the capture");
    else if (copy.failed || !copy.shmOffered)
        *error = QStringLiteral("the compositor offers no shared-memory capture");
    else
        image = copyOut(connection, frame, copy, error);
    zwlr_screencopy_frame_v1_destroy(frame);
    return image;
}

} // namespace ScreencopyFrame

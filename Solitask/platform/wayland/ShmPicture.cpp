#include "Solitask/platform/wayland/ShmPicture.h"

#include <QPainter>

#include <wayland-client.h>

#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

namespace {

void onRelease(void *data, wl_buffer *)
{
    static_cast<ShmPicture *>(data)->released();
}

const wl_buffer_listener bufferListener {onRelease};

size_t bytesOf(QSize size)
{
    return size_t(size.width()) * size_t(size.height()) * 4;
}

} // namespace

std::unique_ptr<ShmPicture> ShmPicture::create(wl_shm *shm, QSize size)
{
    if (!shm || size.isEmpty())
        return nullptr;
    const size_t bytes = bytesOf(size);
    const int fd = memfd_create("solitask-surface", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    void *data = ftruncate(fd, off_t(bytes)) == 0
        ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
        : MAP_FAILED;
    if (data == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    wl_shm_pool *pool = wl_shm_create_pool(shm, fd, int32_t(bytes));
    wl_buffer *buffer = wl_shm_pool_create_buffer(
        pool, 0, size.width(), size.height(), size.width() * 4, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    std::unique_ptr<ShmPicture> picture(new ShmPicture(size, fd, data, buffer));
    wl_buffer_add_listener(buffer, &bufferListener, picture.get());
    return picture;
}

ShmPicture::ShmPicture(QSize size, int fd, void *data, wl_buffer *buffer)
    : m_size(size)
    , m_fd(fd)
    , m_data(data)
    , m_buffer(buffer)
{
}

ShmPicture::~ShmPicture()
{
    wl_buffer_destroy(m_buffer);
    munmap(m_data, bytesOf(m_size));
    close(m_fd);
}

void ShmPicture::released()
{
    m_busy = false;
    if (m_onRelease)
        m_onRelease();
}

wl_buffer *ShmPicture::fill(const QImage &picture)
{
    // ARGB8888 in the memory order of a little-endian machine, as Qt's ARGB32.
    QImage target(static_cast<uchar *>(m_data), m_size.width(), m_size.height(), m_size.width() * 4,
        QImage::Format_ARGB32_Premultiplied);
    if (picture.size() == m_size && picture.format() == target.format()) {
        memcpy(m_data, picture.constBits(), bytesOf(m_size));
    } else {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(), m_size), picture);
    }
    m_busy = true;
    return m_buffer;
}

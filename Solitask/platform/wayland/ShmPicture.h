#pragma once

#include <QImage>
#include <QSize>

#include <functional>
#include <memory>

struct wl_buffer;
struct wl_shm;

/// A picture the compositor reads from shared memory: a buffer of one size
/// that is busy from the moment it is attached until the compositor releases it.
class ShmPicture
{
public:
    /// Null when the memory could not be had.
    static std::unique_ptr<ShmPicture> create(wl_shm *shm, QSize size);
    ~ShmPicture();
    ShmPicture(const ShmPicture &) = delete;
    ShmPicture &operator=(const ShmPicture &) = delete;

    QSize size() const { return m_size; }
    bool isBusy() const { return m_busy; }
    /// Draws `picture` over the whole buffer and marks it busy; attach it next.
    wl_buffer *fill(const QImage &picture);

    /// Called whenever the compositor hands the buffer back.
    void onRelease(std::function<void()> action) { m_onRelease = std::move(action); }

    /// The compositor's release; public for the C callback only.
    void released();

private:
    ShmPicture(QSize size, int fd, void *data, wl_buffer *buffer);

    QSize m_size;
    int m_fd;
    void *m_data;
    wl_buffer *m_buffer;
    bool m_busy = false;
    std::function<void()> m_onRelease;
};

#include "Solitask/platform/gnome/PipeWireFrame.h"

#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>

#include <cstring>
#include <mutex>

struct PipeWireFrame::Listener
{
    spa_hook hook {};
};

namespace {

void onStateChanged(void *data, pw_stream_state, pw_stream_state state, const char *error)
{
    if (state == PW_STREAM_STATE_ERROR)
        static_cast<PipeWireFrame *>(data)->streamFailed(QString::fromUtf8(error));
}

void onParamChanged(void *data, uint32_t id, const spa_pod *param)
{
    if (!param || id != SPA_PARAM_Format)
        return;
    spa_video_info_raw info {};
    if (spa_format_video_raw_parse(param, &info) < 0)
        return;
    static_cast<PipeWireFrame *>(data)->formatChanged(
        int(info.size.width), int(info.size.height), info.format);
}

void onProcess(void *data)
{
    static_cast<PipeWireFrame *>(data)->bufferReady();
}

const pw_stream_events streamEvents = [] {
    pw_stream_events events {};
    events.version = PW_VERSION_STREAM_EVENTS;
    events.state_changed = onStateChanged;
    events.param_changed = onParamChanged;
    events.process = onProcess;
    return events;
}();

// The 32-bit layouts a compositor offers without a GPU; the first is QImage's own.
const spa_pod *formatParam(spa_pod_builder *builder)
{
    spa_rectangle size {1280, 800}, least {1, 1}, most {16384, 16384};
    spa_fraction rate {0, 1}, slowest {0, 1}, fastest {1000, 1};
    return static_cast<const spa_pod *>(spa_pod_builder_add_object(builder,
        SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
        SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(5, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
            SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_RGBA),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&size, &least, &most),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&rate, &slowest, &fastest)));
}

} // namespace

PipeWireFrame::PipeWireFrame(QObject *parent)
    : QObject(parent)
    , m_listener(new Listener)
{
    static std::once_flag once;
    std::call_once(once, [] { pw_init(nullptr, nullptr); });
}

// The loop's thread is stopped first, so nothing runs a callback while the
// stream goes.
PipeWireFrame::~PipeWireFrame()
{
    if (m_loop)
        pw_thread_loop_stop(m_loop);
    if (m_stream)
        pw_stream_destroy(m_stream);
    if (m_core)
        pw_core_disconnect(m_core);
    if (m_context)
        pw_context_destroy(m_context);
    if (m_loop)
        pw_thread_loop_destroy(m_loop);
    delete m_listener;
}

bool PipeWireFrame::start(quint32 node, QString *error)
{
    m_loop = pw_thread_loop_new("solitask-frame", nullptr);
    if (!m_loop || pw_thread_loop_start(m_loop) < 0) {
        *error = QStringLiteral("PipeWire cannot start");
        return false;
    }
    pw_thread_loop_lock(m_loop);
    m_context = pw_context_new(pw_thread_loop_get_loop(m_loop), nullptr, 0);
    m_core = m_context ? pw_context_connect(m_context, nullptr, 0) : nullptr;
    if (m_core) {
        m_stream = pw_stream_new(m_core, "solitask-frame",
            pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture",
                PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    }
    bool ok = m_stream != nullptr;
    if (ok) {
        pw_stream_add_listener(m_stream, &m_listener->hook, &streamEvents, this);
        uint8_t buffer[1024];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
        const spa_pod *params[] = {formatParam(&builder)};
        ok = pw_stream_connect(m_stream, PW_DIRECTION_INPUT, node,
                 pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS), params, 1)
            == 0;
    }
    pw_thread_loop_unlock(m_loop);
    if (!ok)
        *error = m_core ? QStringLiteral("PipeWire refused the screen's stream")
                        : QStringLiteral("PipeWire does not answer");
    return ok;
}

void PipeWireFrame::formatChanged(int width, int height, quint32 format)
{
    m_width = width;
    m_height = height;
    m_format = format;
}

// Runs on PipeWire's thread. Empty buffers (nothing changed) are handed back.
void PipeWireFrame::bufferReady()
{
    pw_buffer *buffer = pw_stream_dequeue_buffer(m_stream);
    if (!buffer)
        return;
    const spa_data &data = buffer->buffer->datas[0];
    const bool usable = !m_done && data.data && data.chunk && data.chunk->size > 0 && m_width > 0
        && m_height > 0;
    if (usable) {
        const int stride = data.chunk->stride > 0 ? data.chunk->stride : m_width * 4;
        const auto *pixels = static_cast<const uchar *>(data.data) + data.chunk->offset;
        const bool fits = qint64(stride) * m_height <= qint64(data.maxsize) - data.chunk->offset
            && stride >= m_width * 4;
        QImage image;
        if (fits) {
            image = QImage(m_width, m_height, QImage::Format_RGB32);
            for (int y = 0; y < m_height; ++y)
                std::memcpy(image.scanLine(y), pixels + qint64(y) * stride, size_t(m_width) * 4);
            // Red and blue change places in the RGB layouts.
            if (m_format == SPA_VIDEO_FORMAT_RGBx || m_format == SPA_VIDEO_FORMAT_RGBA)
                image = std::move(image).rgbSwapped();
        }
        deliver(image, fits ? QString() : QStringLiteral("the screen's buffer is too small"));
    }
    pw_stream_queue_buffer(m_stream, buffer);
}

void PipeWireFrame::streamFailed(const QString &why)
{
    if (!m_done)
        deliver({}, QStringLiteral("the screen's stream failed: %1").arg(why));
}

void PipeWireFrame::deliver(const QImage &image, const QString &why)
{
    if (m_done.exchange(true))
        return;
    // Queued to this object's thread; dropped if the object is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, image, why] {
            if (image.isNull())
                Q_EMIT failed(why);
            else
                Q_EMIT arrived(image);
        },
        Qt::QueuedConnection);
}

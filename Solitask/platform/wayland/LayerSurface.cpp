#include "Solitask/platform/wayland/LayerSurface.h"

#include "Solitask/platform/wayland/ShmPicture.h"

#include "Solitask/platform/wayland/LayerShellProtocol.h"
#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>

namespace {

// One buffer on screen and one being drawn: more only queue stale pictures.
constexpr size_t bufferCount = 2;

void onConfigure(
    void *data, zwlr_layer_surface_v1 *, uint32_t serial, uint32_t width, uint32_t height)
{
    static_cast<LayerSurface *>(data)->configured(serial, QSize(int(width), int(height)));
}

void onClosed(void *data, zwlr_layer_surface_v1 *)
{
    static_cast<LayerSurface *>(data)->closed();
}

const zwlr_layer_surface_v1_listener layerListener {onConfigure, onClosed};

} // namespace

LayerSurface::LayerSurface(
    const Globals &globals, const WaylandConnection::Output &output, const Placement &placement)
    : m_globals(globals)
    , m_output(output)
    , m_margin(placement.margin)
{
    m_surface = wl_compositor_create_surface(globals.compositor);
    m_layer = zwlr_layer_shell_v1_get_layer_surface(
        globals.shell, m_surface, output.output, placement.layer, "solitask");
    zwlr_layer_surface_v1_add_listener(m_layer, &layerListener, this);
    zwlr_layer_surface_v1_set_anchor(m_layer, placement.anchors);
    zwlr_layer_surface_v1_set_size(
        m_layer, uint32_t(placement.size.width()), uint32_t(placement.size.height()));
    zwlr_layer_surface_v1_set_margin(m_layer, placement.margin.y(), 0, 0, placement.margin.x());
    // Over panels too, not beside them.
    zwlr_layer_surface_v1_set_exclusive_zone(m_layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(m_layer, placement.keyboard);
    if (placement.inhibitShortcuts && globals.inhibitor && globals.seat)
        m_inhibitor = zwp_keyboard_shortcuts_inhibit_manager_v1_inhibit_shortcuts(
            globals.inhibitor, m_surface, globals.seat);
    // The first commit carries no picture: the compositor answers with a size.
    wl_surface_commit(m_surface);
}

std::optional<LayerSurface::Globals> LayerSurface::bindGlobals(
    WaylandConnection &connection, wl_seat *seat, bool inhibitShortcuts)
{
    Globals globals;
    globals.shm = connection.shm();
    globals.seat = seat;
    if (!globals.shm || !seat)
        return std::nullopt;
    globals.compositor = static_cast<wl_compositor *>(connection.bind(&wl_compositor_interface, 4));
    globals.shell
        = static_cast<zwlr_layer_shell_v1 *>(connection.bind(&zwlr_layer_shell_v1_interface, 4));
    if (inhibitShortcuts)
        globals.inhibitor = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1 *>(
            connection.bind(&zwp_keyboard_shortcuts_inhibit_manager_v1_interface, 1));
    if (!globals.compositor || !globals.shell) {
        releaseGlobals(globals);
        return std::nullopt;
    }
    return globals;
}

void LayerSurface::releaseGlobals(const Globals &globals)
{
    if (globals.inhibitor)
        zwp_keyboard_shortcuts_inhibit_manager_v1_destroy(globals.inhibitor);
    if (globals.shell) {
        if (zwlr_layer_shell_v1_get_version(globals.shell)
            >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION)
            zwlr_layer_shell_v1_destroy(globals.shell);
        else
            wl_proxy_destroy(reinterpret_cast<wl_proxy *>(globals.shell));
    }
    if (globals.compositor)
        wl_compositor_destroy(globals.compositor);
}

LayerSurface::~LayerSurface()
{
    if (m_inhibitor)
        zwp_keyboard_shortcuts_inhibitor_v1_destroy(m_inhibitor);
    zwlr_layer_surface_v1_destroy(m_layer);
    wl_surface_destroy(m_surface);
    m_buffers.clear();
}

void LayerSurface::configured(uint32_t serial, QSize size)
{
    zwlr_layer_surface_v1_ack_configure(m_layer, serial);
    if (size != m_size)
        m_buffers.clear();
    m_size = size;
    m_configured = true;
    showPending();
}

void LayerSurface::closed()
{
    m_closed = true;
}

void LayerSurface::show(const QImage &picture)
{
    m_pending = picture;
    showPending();
}

void LayerSurface::place(QPoint margin, QSize size)
{
    zwlr_layer_surface_v1_set_size(m_layer, uint32_t(size.width()), uint32_t(size.height()));
    zwlr_layer_surface_v1_set_margin(m_layer, margin.y(), 0, 0, margin.x());
    m_margin = margin;
    wl_surface_commit(m_surface);
    // Pictures wait for the compositor's answer and are drawn at the new size.
    if (size != m_size)
        m_configured = false;
}

void LayerSurface::showPending()
{
    if (m_pending.isNull() || !m_configured || m_closed || m_size.isEmpty())
        return;
    ShmPicture *buffer = freeBuffer();
    if (!buffer)
        return; // shown once the compositor releases one
    wl_surface_attach(m_surface, buffer->fill(m_pending), 0, 0);
    m_pending = QImage();
    wl_surface_damage(m_surface, 0, 0, m_size.width(), m_size.height());
    wl_surface_commit(m_surface);
}

ShmPicture *LayerSurface::freeBuffer()
{
    const auto free = std::find_if(m_buffers.begin(), m_buffers.end(),
        [](const std::unique_ptr<ShmPicture> &b) { return !b->isBusy(); });
    if (free != m_buffers.end())
        return free->get();
    if (m_buffers.size() >= bufferCount)
        return nullptr;
    auto buffer = ShmPicture::create(m_globals.shm, m_size);
    if (!buffer)
        return nullptr;
    buffer->onRelease([this] { showPending(); });
    m_buffers.push_back(std::move(buffer));
    return m_buffers.back().get();
}

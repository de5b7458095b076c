#pragma once

#include "Solitask/platform/wayland/WaylandConnection.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class ShmPicture;
struct wl_compositor;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;
struct zwp_keyboard_shortcuts_inhibit_manager_v1;
struct zwp_keyboard_shortcuts_inhibitor_v1;

/// A surface of our own on one of the compositor's layers (wlr-layer-shell),
/// showing the pictures it is handed. It appears with the first picture.
class LayerSurface
{
public:
    /// The globals a layer surface is made from; the inhibitor manager may be null.
    struct Globals
    {
        wl_compositor *compositor = nullptr;
        zwlr_layer_shell_v1 *shell = nullptr;
        wl_shm *shm = nullptr;
        wl_seat *seat = nullptr;
        zwp_keyboard_shortcuts_inhibit_manager_v1 *inhibitor = nullptr;
    };

    struct Placement
    {
        uint32_t layer = 0; // zwlr_layer_shell_v1_layer
        uint32_t anchors = 0; // zwlr_layer_surface_v1_anchor bits
        QSize size; // zero along an axis anchored at both ends: the output's extent
        uint32_t keyboard = 0; // zwlr_layer_surface_v1_keyboard_interactivity
        /// Whether the compositor's own key bindings stay away while it has the keyboard.
        bool inhibitShortcuts = false;
        /// From the output's top left, for a surface anchored there.
        QPoint margin;
    };

    static constexpr const char *shellInterface = "zwlr_layer_shell_v1";

    /// Binds the globals on `connection` for surfaces taking input from `seat`;
    /// none when the compositor lacks one that is needed.
    static std::optional<Globals> bindGlobals(
        WaylandConnection &connection, wl_seat *seat, bool inhibitShortcuts);
    static void releaseGlobals(const Globals &globals);

    LayerSurface(const Globals &globals, const WaylandConnection::Output &output,
        const Placement &placement);
    ~LayerSurface();
    LayerSurface(const LayerSurface &) = delete;
    LayerSurface &operator=(const LayerSurface &) = delete;

    wl_surface *surface() const { return m_surface; }
    const WaylandConnection::Output &output() const { return m_output; }
    /// The size the compositor gave it; empty until then.
    QSize size() const { return m_size; }
    /// From the output's top left.
    QPoint margin() const { return m_margin; }
    bool isClosed() const { return m_closed; }
    /// Shows `picture` scaled to the surface, as soon as a buffer is free.
    void show(const QImage &picture);
    /// Moves and sizes a surface anchored at the output's top left.
    void place(QPoint margin, QSize size);

    /// Protocol events; public for the C callbacks only.
    void configured(uint32_t serial, QSize size);
    void closed();

private:
    ShmPicture *freeBuffer();
    void showPending();

    Globals m_globals;
    WaylandConnection::Output m_output;
    wl_surface *m_surface = nullptr;
    zwlr_layer_surface_v1 *m_layer = nullptr;
    zwp_keyboard_shortcuts_inhibitor_v1 *m_inhibitor = nullptr;
    std::vector<std::unique_ptr<ShmPicture>> m_buffers;
    QImage m_pending;
    QSize m_size;
    QPoint m_margin;
    bool m_configured = false;
    bool m_closed = false;
};

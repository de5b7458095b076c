#pragma once

#include "Solitask/platform/StripOverlay.h"
#include "Solitask/platform/wayland/LayerSurface.h"
#include "Solitask/platform/wayland/WaylandConnection.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWindow>

#include <functional>
#include <memory>

class SeatInput;

/// The strip on compositors with wlr-layer-shell: our windows run on XWayland,
/// where neither staying above full-screen windows nor the pointer over other
/// clients' surfaces is ours to have. An overlay layer surface shows the
/// strip's pictures and passes clicks to its window; while the strip is
/// closed, a clear one over the notch band tells when the pointer comes in.
/// The seat's pointer over either is where the hover rules read it.
class StripOverlayLayerShell : public StripOverlay
{
public:
    /// Null when the compositor offers no layer shell, shared memory or seat.
    static std::unique_ptr<StripOverlayLayerShell> create(
        std::shared_ptr<WaylandConnection> connection);
    ~StripOverlayLayerShell() override;

    Support support() const override;
    void watch(const QRect &area, std::function<void()> entered) override;
    void stop() override;

    bool mirrors() const override { return true; }
    void present(QWindow *window, const QRect &frame, const QImage &picture) override;
    void withdraw() override;
    std::optional<QPoint> pointer() const override;

private:
    StripOverlayLayerShell(std::shared_ptr<WaylandConnection> connection,
        LayerSurface::Globals globals, std::unique_ptr<SeatInput> input);
    std::optional<WaylandConnection::Output> outputAt(const QRect &area) const;
    /// A surface at `area` (global coordinates); null off every output.
    std::unique_ptr<LayerSurface> surfaceAt(const QRect &area) const;
    static QPoint origin(const LayerSurface &surface);
    bool pointerOn(const LayerSurface *surface) const;
    void forget(const LayerSurface *surface);
    /// The pointer came onto one of our surfaces or left them.
    void pointerCrossed();
    void dropBand();

    std::shared_ptr<WaylandConnection> m_connection;
    LayerSurface::Globals m_globals;
    std::unique_ptr<SeatInput> m_input;
    std::unique_ptr<LayerSurface> m_band;
    QRect m_bandArea;
    std::function<void()> m_entered;
    std::unique_ptr<LayerSurface> m_panel;
    QRect m_panelFrame;
    QPointer<QWindow> m_panelWindow;
    const LayerSurface *m_pointerOn = nullptr;
    /// Calls queued from the compositor's events die with it.
    QObject m_context;
};

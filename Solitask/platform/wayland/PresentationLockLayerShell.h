#pragma once

#include "Solitask/platform/PresentationLock.h"
#include "Solitask/platform/wayland/LayerSurface.h"

#include <QList>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <memory>
#include <vector>

class SeatInput;
class WaylandConnection;

/// The insisting gate on compositors with wlr-layer-shell: one overlay layer
/// surface per output, anchored to every edge, that takes the keyboard
/// exclusively and asks the compositor to keep its own key bindings to itself
/// while it has it. It shows the pictures of the gate's windows and passes
/// the keys and the pointer on to them.
class PresentationLockLayerShell : public PresentationLock
{
public:
    /// Null when the compositor offers no layer shell, shared memory or seat.
    static std::unique_ptr<PresentationLockLayerShell> create(
        std::shared_ptr<WaylandConnection> connection);
    ~PresentationLockLayerShell() override;

    Support support() const override;
    bool engage(QWindow *window) override;
    void release() override;
    bool mirrors() const override { return true; }
    void present(QWindow *window, QScreen *screen, const QImage &picture) override;

private:
    PresentationLockLayerShell(std::shared_ptr<WaylandConnection> connection,
        LayerSurface::Globals globals, std::unique_ptr<SeatInput> input);
    /// The gate window an output shows: the one on the screen of that name or
    /// place, else the key window.
    QWindow *windowFor(const LayerSurface &surface) const;
    void locateInput();

    std::shared_ptr<WaylandConnection> m_connection;
    LayerSurface::Globals m_globals;
    std::unique_ptr<SeatInput> m_input;
    std::vector<std::unique_ptr<LayerSurface>> m_surfaces;
    QPointer<QWindow> m_keyWindow;
    struct Presented
    {
        QPointer<QWindow> window;
        QPointer<QScreen> screen;
    };
    QList<Presented> m_presented;
};

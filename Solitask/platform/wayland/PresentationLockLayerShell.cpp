#include "Solitask/platform/wayland/PresentationLockLayerShell.h"

#include "Solitask/platform/wayland/SeatInput.h"
#include "Solitask/platform/wayland/WaylandConnection.h"
#include "SolitaskCore/Diag.h"

#include "Solitask/platform/wayland/LayerShellProtocol.h"
#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"

#include <QScreen>

#include <wayland-client.h>

namespace {

const LayerSurface::Placement cover {ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM
        | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT,
    QSize(0, 0), ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE, true, QPoint()};

} // namespace

std::unique_ptr<PresentationLockLayerShell> PresentationLockLayerShell::create(
    std::shared_ptr<WaylandConnection> connection)
{
    if (!connection || !connection->version(LayerSurface::shellInterface) || !connection->shm())
        return nullptr;
    auto input = SeatInput::create(*connection);
    if (!input)
        return nullptr;
    const auto globals = LayerSurface::bindGlobals(*connection, input->seat(), true);
    if (!globals)
        return nullptr;
    return std::unique_ptr<PresentationLockLayerShell>(
        new PresentationLockLayerShell(std::move(connection), *globals, std::move(input)));
}

PresentationLockLayerShell::PresentationLockLayerShell(
    std::shared_ptr<WaylandConnection> connection, LayerSurface::Globals globals,
    std::unique_ptr<SeatInput> input)
    : m_connection(std::move(connection))
    , m_globals(globals)
    , m_input(std::move(input))
{
    locateInput();
}

PresentationLockLayerShell::~PresentationLockLayerShell()
{
    release();
    m_input.reset();
    LayerSurface::releaseGlobals(m_globals);
    wl_display_flush(m_connection->display());
}

Support PresentationLockLayerShell::support() const
{
    return m_connection->support();
}

bool PresentationLockLayerShell::engage(QWindow *window)
{
    if (!window || !m_connection->isAlive())
        return false;
    if (window == m_keyWindow && !m_surfaces.empty())
        return true;
    release();
    m_keyWindow = window;
    for (const WaylandConnection::Output &output : m_connection->outputs())
        m_surfaces.push_back(std::make_unique<LayerSurface>(m_globals, output, cover));
    m_input->setKeyTarget(window);
    wl_display_flush(m_connection->display());
    Diag::log(QStringLiteral("gate: overlay layer over %1 output(s), keyboard exclusive%2")
                  .arg(m_surfaces.size())
                  .arg(m_globals.inhibitor ? ", compositor shortcuts held" : ""));
    return !m_surfaces.empty();
}

void PresentationLockLayerShell::release()
{
    m_input->setKeyTarget(nullptr);
    m_keyWindow.clear();
    m_presented.clear();
    if (m_surfaces.empty())
        return;
    m_surfaces.clear();
    // At once: the compositor's bindings come back with the surfaces gone.
    wl_display_flush(m_connection->display());
}

void PresentationLockLayerShell::present(QWindow *window, QScreen *screen, const QImage &picture)
{
    if (!window || !screen || m_surfaces.empty())
        return;
    m_presented.removeIf([window](const Presented &p) { return !p.window || p.window == window; });
    m_presented.append({window, screen});
    for (const auto &surface : m_surfaces) {
        if (windowFor(*surface) == window)
            surface->show(picture);
    }
    wl_display_flush(m_connection->display());
}

// XWayland names its screens after itself, not after the outputs, but
// places them where the outputs lie.
QWindow *PresentationLockLayerShell::windowFor(const LayerSurface &surface) const
{
    const WaylandConnection::Output &output = surface.output();
    for (const Presented &p : m_presented) {
        if (p.window && p.screen
            && (p.screen->name() == output.name
                || p.screen->geometry().topLeft() == output.position))
            return p.window;
    }
    return m_keyWindow;
}

void PresentationLockLayerShell::locateInput()
{
    m_input->setLocate([this](wl_surface *target, QPointF point) -> SeatInput::Place {
        for (const auto &surface : m_surfaces) {
            QWindow *window = windowFor(*surface);
            if (surface->surface() != target || !window || surface->size().isEmpty())
                continue;
            const QSize size = surface->size();
            return {window,
                QPointF(point.x() * window->width() / size.width(),
                    point.y() * window->height() / size.height())};
        }
        return {};
    });
}

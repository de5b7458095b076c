#include "Solitask/platform/wayland/StripOverlayLayerShell.h"

#include "Solitask/platform/wayland/SeatInput.h"
#include "Solitask/platform/wayland/WaylandConnection.h"
#include "SolitaskCore/Diag.h"

#include "Solitask/platform/wayland/LayerShellProtocol.h"

#include <QImage>

#include <wayland-client.h>

namespace {

// The overlay, not the top layer: compositors draw the top layer beneath
// full-screen windows, and the strip stays above them.
LayerSurface::Placement topLeft(const QRect &area, QPoint outputOrigin)
{
    return {ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
        ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT, area.size(),
        ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE, false, area.topLeft() - outputOrigin};
}

} // namespace

std::unique_ptr<StripOverlayLayerShell> StripOverlayLayerShell::create(
    std::shared_ptr<WaylandConnection> connection)
{
    if (!connection || !connection->version(LayerSurface::shellInterface))
        return nullptr;
    auto input = SeatInput::create(*connection);
    if (!input)
        return nullptr;
    const auto globals = LayerSurface::bindGlobals(*connection, input->seat(), false);
    if (!globals)
        return nullptr;
    return std::unique_ptr<StripOverlayLayerShell>(
        new StripOverlayLayerShell(std::move(connection), *globals, std::move(input)));
}

StripOverlayLayerShell::StripOverlayLayerShell(std::shared_ptr<WaylandConnection> connection,
    LayerSurface::Globals globals, std::unique_ptr<SeatInput> input)
    : m_connection(std::move(connection))
    , m_globals(globals)
    , m_input(std::move(input))
{
    m_input->setLocate([this](wl_surface *target, QPointF point) -> SeatInput::Place {
        if (!m_panel || m_panel->surface() != target)
            return {};
        return {m_panelWindow, point};
    });
    // Which of ours the pointer is on is settled as the event comes, while
    // the surface named is surely one of ours or none.
    m_input->onPointerCrossing([this](wl_surface *surface) {
        m_pointerOn = nullptr;
        for (const LayerSurface *own : {m_band.get(), m_panel.get()}) {
            if (own && surface && own->surface() == surface)
                m_pointerOn = own;
        }
        // Queued: the hover rules may take the band away while the
        // compositor's events are still being read.
        QMetaObject::invokeMethod(&m_context, [this] { pointerCrossed(); }, Qt::QueuedConnection);
    });
}

StripOverlayLayerShell::~StripOverlayLayerShell()
{
    m_band.reset();
    m_panel.reset();
    m_input.reset();
    LayerSurface::releaseGlobals(m_globals);
    wl_display_flush(m_connection->display());
}

Support StripOverlayLayerShell::support() const
{
    return m_connection->support();
}

std::optional<WaylandConnection::Output> StripOverlayLayerShell::outputAt(const QRect &area) const
{
    // The output whose top left is nearest above and left of the area: the
    // outputs' places in the layout are those of XWayland's screens.
    std::optional<WaylandConnection::Output> best;
    for (const WaylandConnection::Output &output : m_connection->outputs()) {
        const QPoint offset = area.topLeft() - output.position;
        if (offset.x() < 0 || offset.y() < 0)
            continue;
        if (!best || offset.manhattanLength() < (area.topLeft() - best->position).manhattanLength())
            best = output;
    }
    return best;
}

std::unique_ptr<LayerSurface> StripOverlayLayerShell::surfaceAt(const QRect &area) const
{
    const auto output = outputAt(area);
    if (!output)
        return nullptr;
    return std::make_unique<LayerSurface>(m_globals, *output, topLeft(area, output->position));
}

QPoint StripOverlayLayerShell::origin(const LayerSurface &surface)
{
    return surface.output().position + surface.margin();
}

void StripOverlayLayerShell::watch(const QRect &area, std::function<void()> entered)
{
    if (area.isEmpty() || !m_connection->isAlive())
        return;
    m_entered = std::move(entered);
    if (m_band && m_bandArea == area && !m_band->isClosed()) {
        // Already there: told as if it came in.
        QMetaObject::invokeMethod(&m_context, [this] { pointerCrossed(); }, Qt::QueuedConnection);
        return;
    }
    forget(m_band.get());
    m_band = surfaceAt(area);
    m_bandArea = area;
    if (!m_band)
        return;
    // Clear: it only has to be there for the pointer to come onto it.
    QImage clear(area.size(), QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    m_band->show(clear);
    wl_display_flush(m_connection->display());
}

// The band stays while the pointer is on it: it is where the hover rules
// read the pointer until the strip opens, and under the open strip until
// the pointer moves onto it.
void StripOverlayLayerShell::stop()
{
    m_entered = nullptr;
    if (!pointerOn(m_band.get()))
        dropBand();
}

void StripOverlayLayerShell::dropBand()
{
    if (!m_band)
        return;
    forget(m_band.get());
    m_band.reset();
    wl_display_flush(m_connection->display());
}

// The compositor says nothing when a surface the pointer is on goes: we made it go.
void StripOverlayLayerShell::forget(const LayerSurface *surface)
{
    if (m_pointerOn == surface)
        m_pointerOn = nullptr;
}

bool StripOverlayLayerShell::pointerOn(const LayerSurface *surface) const
{
    return surface && m_pointerOn == surface;
}

void StripOverlayLayerShell::pointerCrossed()
{
    const bool onBand = pointerOn(m_band.get());
    if (onBand && m_entered)
        std::exchange(m_entered, nullptr)();
    else if (!onBand && !m_entered)
        dropBand();
}

void StripOverlayLayerShell::present(QWindow *window, const QRect &frame, const QImage &picture)
{
    if (!window || frame.isEmpty() || !m_connection->isAlive())
        return;
    m_panelWindow = window;
    const auto output = outputAt(frame);
    // Made anew on the output it now hangs from, or after the compositor
    // closed it (its output went away).
    if (m_panel && (!output || output->id != m_panel->output().id || m_panel->isClosed()))
        withdraw();
    if (m_panel && frame != m_panelFrame)
        m_panel->place(frame.topLeft() - output->position, frame.size());
    if (!m_panel) {
        m_panel = surfaceAt(frame);
        if (!m_panel)
            return;
        Diag::log(QStringLiteral("strip: overlay layer on %1").arg(m_panel->output().name));
    }
    m_panelFrame = frame;
    m_panel->show(picture);
    wl_display_flush(m_connection->display());
}

void StripOverlayLayerShell::withdraw()
{
    m_panelFrame = QRect();
    if (!m_panel)
        return;
    forget(m_panel.get());
    m_panel.reset();
    wl_display_flush(m_connection->display());
}

std::optional<QPoint> StripOverlayLayerShell::pointer() const
{
    for (const LayerSurface *own : {m_band.get(), m_panel.get()}) {
        if (pointerOn(own))
            return origin(*own) + m_input->pointerPoint().toPoint();
    }
    return std::nullopt;
}

#include "Solitask/strip/StripMirror.h"

#include "Solitask/platform/StripOverlay.h"
#include "Solitask/strip/StripWindow.h"
#include "Solitask/ui/Stacking.h"

#include <QEvent>
#include <QWindow>

StripMirror::StripMirror(Scheduler &scheduler, StripOverlay &overlay, StripWindow &window)
    : m_overlay(overlay)
    , m_window(window)
    , m_next(scheduler)
{
    m_window.installEventFilter(this);
}

StripMirror::~StripMirror()
{
    m_window.removeEventFilter(this);
    m_overlay.withdraw();
}

bool StripMirror::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Hide:
        m_next.cancel();
        m_overlay.withdraw();
        break;
    // A repaint of any part reaches the window as one update request; the
    // picture is taken a moment later, after the repaint.
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::UpdateRequest:
        if (!m_next.isActive())
            m_next.once(intervalSeconds, [this] { present(); });
        break;
    default:
        break;
    }
    return false;
}

void StripMirror::present()
{
    if (!m_window.isVisible() || !m_window.windowHandle())
        return;
    // The gate stays above the strip; a surface made now would come above it.
    if (Stacking::gateCovering()) {
        m_overlay.withdraw();
        return;
    }
    m_overlay.present(m_window.windowHandle(), m_window.geometry(), m_window.grab().toImage());
}

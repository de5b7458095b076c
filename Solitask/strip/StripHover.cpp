#include "Solitask/strip/StripHover.h"

StripHover::Action StripHover::poll(const Poll &p)
{
    return p.expanded ? pollOpen(p) : pollClosed(p);
}

void StripHover::reset()
{
    m_hoverStartMs.reset();
    m_leaveStartMs.reset();
    m_pointerWasOn = false;
}

StripHover::Action StripHover::pollOpen(const Poll &p)
{
    const QRectF around = p.panelFrame.adjusted(-stayMargin, -stayMargin, stayMargin, stayMargin);
    if (around.contains(p.pointer) || p.band.contains(p.pointer)) {
        m_leaveStartMs.reset();
        m_pointerWasOn = true;
        return Action::none;
    }
    if (!m_pointerWasOn)
        return Action::none;
    if (!m_leaveStartMs)
        m_leaveStartMs = p.nowMs;
    if (p.nowMs - *m_leaveStartMs >= leaveDelayMs && !p.holdOpen)
        return Action::collapse;
    return Action::none;
}

StripHover::Action StripHover::pollClosed(const Poll &p)
{
    if (!p.hoverOpens)
        return Action::none;
    if (!p.band.contains(p.pointer)) {
        m_hoverStartMs.reset();
        return Action::none;
    }
    if (!m_hoverStartMs)
        m_hoverStartMs = p.nowMs;
    return p.nowMs - *m_hoverStartMs >= openDelayMs ? Action::open : Action::none;
}

#pragma once

#include <QPointF>
#include <QRectF>

#include <optional>

/// The strip's hover rules, one poll at a time: a pointer resting in the
/// notch band opens the closed strip, and a pointer that was on the open strip
/// and left it closes it unless it is held open. A strip opened by a summon or
/// a nudge while the pointer is elsewhere is left to its dismissal timer:
/// closing it half a second after it appeared would make it unreadable.
class StripHover
{
public:
    enum class Action { none, open, collapse };

    struct Poll
    {
        qint64 nowMs = 0;
        QPointF pointer;
        QRectF band;
        QRectF panelFrame;
        bool expanded = false;
        bool holdOpen = false;
        bool hoverOpens = true;
    };

    static constexpr qint64 openDelayMs = 150;
    static constexpr qint64 leaveDelayMs = 500;
    /// How far around the open strip the pointer still counts as on it.
    static constexpr qreal stayMargin = 16;

    Action poll(const Poll &p);
    /// Forgets when the pointer entered or left (the strip opened or closed).
    void reset();
    /// The strip was just opened under the pointer (by hovering).
    void openedUnderPointer() { m_pointerWasOn = true; }

private:
    Action pollOpen(const Poll &p);
    Action pollClosed(const Poll &p);

    std::optional<qint64> m_hoverStartMs;
    std::optional<qint64> m_leaveStartMs;
    bool m_pointerWasOn = false;
};

#pragma once

#include "Solitask/session/StripPresenter.h"
#include "Solitask/session/TimerSlot.h"
#include "Solitask/strip/NotchGeometry.h"
#include "Solitask/strip/StripHover.h"

#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class Clock;
class NotchView;
class PointerWatch;
class Scheduler;
class StripMirror;
class StripModel;
class StripOverlay;
class StripWindow;

/// The strip as the session drives it: it hangs from the top centre of the
/// primary screen, sizes itself to its content, opens on a summon, a nudge or
/// a pointer resting in the notch band, and closes when the pointer leaves or
/// its dismissal runs out, unless it is held open. With a pointer watch it
/// reads the pointer only while the pointer is in the band or the strip is
/// open; without one it polls whenever hovering is on.
class StripPanel : public StripPresenter
{
public:
    /// Where the panel learns the time, the pointer and the screen.
    struct Environment
    {
        Clock &clock;
        Scheduler &scheduler;
        std::function<QPoint()> pointer;
        std::function<std::optional<NotchScreen>()> screen;
        std::function<bool()> hoverOpens;
        /// Off every screen and no hovering: the dry run and screenshots.
        bool dryRun = false;
        /// Says when the pointer comes into the band; none: poll all along.
        PointerWatch *pointerWatch = nullptr;
        /// Shows the strip in place of its window; none: the window shows itself.
        StripOverlay *overlay = nullptr;
    };

    static constexpr double hoverInterval = 0.125;
    static constexpr double hoverLeeway = 0.03;
    static constexpr double relayoutDelay = 0.03;
    static constexpr double settleDelay = 0.22;
    static constexpr double postponeSeconds = 5.0;
    /// How near the open panel the pointer postpones an automatic close.
    static constexpr qreal postponeMargin = 24;
    static constexpr QPoint pointerElsewhere {-1000000, -1000000};

    /// The real pointer, primary screen and preference.
    /// With an overlay that shows the strip, it watches the band and tells
    /// where the pointer is instead.
    static Environment systemEnvironment(Clock &clock, Scheduler &scheduler, bool dryRun,
        PointerWatch *pointerWatch, StripOverlay *overlay = nullptr);

    StripPanel(StripModel &model, Environment environment);
    ~StripPanel() override;

    NotchView &view() const;
    StripWindow &window() const { return *m_window; }
    QRect frame() const;
    /// Hovering is on (from `startHoverPoll` until `dismiss`).
    bool hoverPolling() const { return m_hoverOn; }
    /// The pointer is being read right now.
    bool readingPointer() const { return m_hoverTimer.isActive(); }
    bool dismissPending() const { return m_dismissTimer.isActive(); }

    void setActions(StripActions actions) override;
    void startHoverPoll() override;
    void setExpanded(bool expanded) override;
    void collapse() override;
    void dismiss() override;
    void setHoldOpen(bool hold) override { m_holdOpen = hold; }
    bool holdOpen() const override { return m_holdOpen; }
    void scheduleDismiss(double seconds) override;
    void cancelDismiss() override;
    void presentTransient(std::optional<double> seconds) override;
    void relayout() override;
    void orderOut() override;
    bool isVisible() const override;

    /// Fits the window to the view, gliding when asked and already on screen.
    void fitToContent(bool animated);

private:
    void hoverTick();
    void pollPointer();
    /// Polls while open; closed, waits for the pointer to come into the band.
    void settleHover();
    bool watching() const;
    void dismissDue();
    bool pointerNear(qreal margin) const;

    StripModel &m_model;
    Environment m_env;
    std::unique_ptr<StripWindow> m_window;
    std::unique_ptr<StripMirror> m_mirror;
    StripHover m_hover;
    bool m_hoverOn = false;
    bool m_holdOpen = false;
    bool m_relayoutScheduled = false;
    TimerSlot m_hoverTimer;
    TimerSlot m_dismissTimer;
    TimerSlot m_relayoutTimer;
};

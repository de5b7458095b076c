#include "Solitask/strip/StripPanel.h"

#include "Solitask/platform/StripOverlay.h"
#include "Solitask/session/Clock.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/StripModel.h"
#include "Solitask/strip/NotchView.h"
#include "Solitask/strip/StripMirror.h"
#include "Solitask/strip/StripWindow.h"

#include <QCursor>

#include <utility>

StripPanel::Environment StripPanel::systemEnvironment(Clock &clock, Scheduler &scheduler,
    bool dryRun, PointerWatch *pointerWatch, StripOverlay *overlay)
{
    Environment env {clock,
        scheduler,
        [] { return QCursor::pos(); },
        [] { return NotchGeometry::notchScreen(); },
        [] { return Prefs::flag(Prefs::Key::notchHoverOpens); },
        dryRun,
        pointerWatch && pointerWatch->support().supported ? pointerWatch : nullptr};
    if (overlay && overlay->mirrors() && overlay->support().supported && !dryRun) {
        env.pointerWatch = overlay;
        env.overlay = overlay;
        // Off the band and the strip the overlay does not know where the
        // pointer is, and needs not: anywhere else is as good as far away.
        env.pointer = [overlay] { return overlay->pointer().value_or(pointerElsewhere); };
    }
    return env;
}

StripPanel::StripPanel(StripModel &model, Environment environment)
    : m_model(model)
    , m_env(std::move(environment))
    , m_window(std::make_unique<StripWindow>(
          new NotchView(model, NotchGeometry::topGap(m_env.screen()))))
    , m_hoverTimer(m_env.scheduler)
    , m_dismissTimer(m_env.scheduler)
    , m_relayoutTimer(m_env.scheduler)
{
    m_window->setGeometry(QRect(0, 0, 200, 60));
    if (m_env.overlay)
        m_mirror = std::make_unique<StripMirror>(m_env.scheduler, *m_env.overlay, *m_window);
}

StripPanel::~StripPanel()
{
    m_mirror.reset();
    if (m_env.pointerWatch)
        m_env.pointerWatch->stop();
}

NotchView &StripPanel::view() const
{
    return m_window->view();
}

QRect StripPanel::frame() const
{
    return m_window->geometry();
}

void StripPanel::setActions(StripActions actions)
{
    view().setActions(std::move(actions));
}

void StripPanel::startHoverPoll()
{
    const bool wasOn = std::exchange(m_hoverOn, true);
    if (!wasOn || !m_hoverTimer.isActive())
        settleHover();
}

void StripPanel::pollPointer()
{
    if (!m_hoverTimer.isActive())
        m_hoverTimer.repeating(hoverInterval, [this] { hoverTick(); }, hoverLeeway);
}

bool StripPanel::watching() const
{
    return m_env.pointerWatch && !m_env.dryRun;
}

void StripPanel::settleHover()
{
    if (!m_hoverOn)
        return;
    // Open, the watch's window would lie over the strip and take its clicks.
    if (m_env.pointerWatch)
        m_env.pointerWatch->stop();
    if (!watching() || m_model.state().expanded) {
        pollPointer();
        return;
    }
    m_hoverTimer.cancel();
    const auto screen = m_env.screen();
    if (!screen || !m_env.hoverOpens())
        return;
    m_env.pointerWatch->watch(NotchGeometry::band(*screen).toAlignedRect(), [this] {
        pollPointer();
        hoverTick();
    });
}

void StripPanel::setExpanded(bool expanded)
{
    if (m_model.state().expanded == expanded)
        return;
    m_model.set(&StripState::expanded, expanded);
    m_window->setClickThrough(!expanded);
    m_hover.reset();
    if (!expanded) {
        m_window->orderOut();
        settleHover();
        return;
    }
    settleHover();
    if (!m_window->isVisible()) {
        fitToContent(false);
        m_window->orderFront();
    }
    relayout();
}

void StripPanel::collapse()
{
    cancelDismiss();
    m_holdOpen = false;
    setExpanded(false);
    m_window->orderOut();
}

void StripPanel::dismiss()
{
    m_hoverOn = false;
    collapse();
    m_hoverTimer.cancel();
    if (m_env.pointerWatch)
        m_env.pointerWatch->stop();
    m_hover.reset();
}

void StripPanel::scheduleDismiss(double seconds)
{
    m_dismissTimer.once(seconds, [this] { dismissDue(); });
}

void StripPanel::cancelDismiss()
{
    m_dismissTimer.cancel();
}

void StripPanel::presentTransient(std::optional<double> seconds)
{
    startHoverPoll();
    setExpanded(true);
    m_holdOpen = !seconds.has_value();
    if (seconds)
        scheduleDismiss(*seconds);
    else
        cancelDismiss();
}

void StripPanel::relayout()
{
    // A closed strip is fitted as it opens.
    if (m_relayoutScheduled || !m_window->isVisible())
        return;
    m_relayoutScheduled = true;
    m_relayoutTimer.once(relayoutDelay, [this] {
        m_relayoutScheduled = false;
        fitToContent(true);
        // Once more without gliding, so the final size is right after the view settles.
        m_relayoutTimer.once(settleDelay, [this] { fitToContent(false); });
    });
}

void StripPanel::orderOut()
{
    m_window->orderOut();
}

bool StripPanel::isVisible() const
{
    return m_window->isVisible();
}

void StripPanel::fitToContent(bool animated)
{
    const QSize size = NotchGeometry::clampedContentSize(m_window->contentSize());
    const QRect target = NotchGeometry::panelFrame(m_env.screen(), size, m_env.dryRun);
    if (m_window->geometry() == target && !m_window->animating())
        return;
    m_window->moveTo(target, animated && m_window->isVisible() && !m_env.dryRun);
}

void StripPanel::dismissDue()
{
    if (m_holdOpen || pointerNear(postponeMargin)) {
        scheduleDismiss(postponeSeconds);
        return;
    }
    collapse();
}

bool StripPanel::pointerNear(qreal margin) const
{
    const QRectF around =
        QRectF(frame()).adjusted(-margin, -margin, margin, margin);
    return around.contains(QPointF(m_env.pointer()));
}

void StripPanel::hoverTick()
{
    const auto screen = m_env.screen();
    if (!screen || m_env.dryRun)
        return;
    StripHover::Poll poll;
    poll.nowMs = m_env.clock.now().toMSecsSinceEpoch();
    poll.pointer = QPointF(m_env.pointer());
    poll.band = NotchGeometry::band(*screen);
    poll.panelFrame = QRectF(frame());
    poll.expanded = m_model.state().expanded;
    poll.holdOpen = m_holdOpen;
    poll.hoverOpens = m_env.hoverOpens();
    switch (m_hover.poll(poll)) {
    case StripHover::Action::open:
        setExpanded(true);
        m_hover.openedUnderPointer();
        break;
    case StripHover::Action::collapse:
        collapse();
        break;
    case StripHover::Action::none:
        break;
    }
    // The pointer left the band of the closed strip: wait for it to come back.
    if (m_hoverTimer.isActive() && !m_model.state().expanded && watching()
        && !poll.band.contains(poll.pointer))
        settleHover();
}

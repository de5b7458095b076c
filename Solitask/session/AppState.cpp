#include "Solitask/session/AppState.h"

#include "Solitask/session/Clock.h"
#include "Solitask/session/FrameRetention.h"
#include "Solitask/session/GatePresenter.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/StripPresenter.h"
#include "Solitask/session/SummonInput.h"
#include "Solitask/session/SwitchMeterPort.h"
#include "Solitask/session/SystemEventSource.h"
#include "Solitask/session/WindowPresenter.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Store.h"

namespace {

QString quietHoursSetting()
{
    return QStringLiteral("%1-%2-%3")
        .arg(Prefs::integer(Prefs::Key::quietStartMinutes))
        .arg(Prefs::integer(Prefs::Key::quietEndMinutes))
        .arg(Prefs::flag(Prefs::Key::quietWeekends));
}

} // namespace

AppState::AppState(SessionParts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
    , m_tick(m_parts.scheduler)
    , m_offDutyTimer(m_parts.scheduler)
    , m_quietTimer(m_parts.scheduler)
    , m_nudgeTimer(m_parts.scheduler)
    , m_firstCapture(m_parts.scheduler)
    , m_followUp(m_parts.scheduler)
    , m_returnCheck(m_parts.scheduler)
{
    m_periodStart = now();
    m_lastJudgeAt = m_periodStart;
    m_lastCleanup = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
}

// Callbacks handed out hold the session through `guarded`; the gate and strip
// are told to forget them here, and the timers die with their slots.
AppState::~AppState()
{
    m_parts.gate.setCallbacks({});
    if (m_stripPanel)
        m_stripPanel->setActions({});
}

void AppState::setStatusGlyphHandler(std::function<void(const QString &)> handler)
{
    m_statusGlyphHandler = std::move(handler);
}

void AppState::boot()
{
    if (m_booted)
        return;
    shortenedBoot();
    wireSummon();
    m_parts.system.subscribe({guarded([](AppState &s) { s.systemWillSleep(); }),
        guarded([](AppState &s) { s.systemDidWake(); }),
        guarded([](AppState &s) { s.screenLocked(); }),
        guarded([](AppState &s) { s.screenUnlocked(); })});
    FrameRetention::cleanup(m_parts.witness, m_parts.store, {}, now(), true);
    m_parts.store.abandonStaleThings(now());
    scheduleQuietBoundary();
    startTick();
    const bool offDuty = restoreFromDisk();
    if (Prefs::flag(Prefs::Key::onboardingDone)) {
        if (!offDuty)
            evaluateOnLaunch();
        return;
    }
    setMode(Mode::onboarding());
    m_parts.onboarding.present();
}

void AppState::shortenedBoot()
{
    if (m_booted)
        return;
    m_booted = true;
    Prefs::registerDefaults();
    m_quietHours = quietHoursSetting();
    buildStrip();
    wireGate();
}

void AppState::finishOnboarding()
{
    evaluateOnLaunch();
    if (!m_mode.is(Mode::Kind::quiet))
        return;
    Diag::log(QStringLiteral("onboarding: question held for quiet hours"));
    openStrip();
}

void AppState::wireSummon()
{
    m_parts.hotKeys.setHandler(guarded([](AppState &s) { s.summon(QStringLiteral("hotkey")); }));
    m_parts.hotKeys.start();
    m_parts.tapDetector.setHandler(
        guarded([](AppState &s) { s.summon(QStringLiteral("double-tap")); }));
    if (Prefs::flag(Prefs::Key::doubleTapOption))
        m_parts.tapDetector.start();
}

void AppState::wireGate()
{
    QPointer<AppState> self(this);
    GateCallbacks callbacks;
    callbacks.onDeclare = [self](const QString &text, const Until &until) {
        if (self)
            self->declare(text, until);
    };
    callbacks.onResume = guarded([](AppState &s) {
        s.beginNewState();
        Diag::log(QStringLiteral("resumed"));
        s.enterCommitted(true);
    });
    callbacks.onDone = guarded([](AppState &s) {
        s.m_parts.gate.hide();
        s.finish(Outcome::done, std::nullopt);
    });
    callbacks.onSomethingNew = guarded([](AppState &s) {
        if (!s.m_currentThing)
            return;
        s.beginNewState();
        const Thing open = *s.m_currentThing;
        s.closeCurrent(Outcome::switched, SwitchReason::wrongThing);
        s.judgePeriodOf(open, true, {});
        s.afterClose();
    });
    callbacks.onOffDuty = [self](std::optional<int> minutes, const QString &reason) {
        if (self)
            self->goOffDuty(minutes, reason);
    };
    callbacks.onBail = guarded([](AppState &s) {
        s.m_parts.store.addBail(s.now());
        Diag::log(QStringLiteral("bailed"));
        s.m_parts.gate.hide();
        if (s.m_parts.terminate)
            s.m_parts.terminate();
    });
    callbacks.onAskWindowClosed = guarded([](AppState &s) {
        s.setMode(Mode::gate());
        s.refreshNotch();
    });
    m_parts.gate.setCallbacks(std::move(callbacks));
}

void AppState::summon(const QString &source)
{
    Diag::log(QStringLiteral("summon (%1) in mode %2").arg(source, m_mode.printed()));
    switch (m_mode.kind) {
    case Mode::Kind::onboarding:
        return;
    case Mode::Kind::gate:
        if (m_parts.gate.isShowing())
            m_parts.gate.bringForward();
        else
            openStrip();
        return;
    default:
        if (m_stripPanel && m_stripPanel->isVisible() && m_strip.state().expanded)
            m_stripPanel->collapse();
        else
            openStrip();
    }
}

void AppState::openStrip()
{
    if (!m_stripPanel)
        return;
    refreshStripDetails();
    m_stripPanel->setHoldOpen(false);
    m_stripPanel->startHoverPoll();
    m_stripPanel->setExpanded(true);
    m_stripPanel->scheduleDismiss(12.0);
}

void AppState::settingsChanged()
{
    Prefs::reload();
    if (Prefs::flag(Prefs::Key::doubleTapOption))
        m_parts.tapDetector.start();
    else
        m_parts.tapDetector.stop();
    refreshNotch();
    if (m_stripPanel)
        m_stripPanel->relayout();
    // Insisting takes effect at the next showing: throwing the full-screen
    // gate over the settings window the person is using would trap them there.
    // Letting go of insisting applies at once.
    if (m_mode.is(Mode::Kind::gate) && m_parts.gate.isShowing() && m_parts.gate.insisting()
        && !Prefs::flag(Prefs::Key::insist)) {
        const GateFace face = m_parts.gate.face();
        m_parts.gate.hide();
        m_parts.gate.show(face, Prefs::flag(Prefs::Key::insist));
    }
    // New quiet hours apply at once, not only from their next boundary.
    const QString quietHours = quietHoursSetting();
    if (std::exchange(m_quietHours, quietHours) != quietHours)
        handleQuietBoundary();
    else
        scheduleQuietBoundary();
    updateStatusGlyph();
}

void AppState::setMode(const Mode &mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    publishCloseOffer();
    Q_EMIT modeChanged();
}

void AppState::setCurrentThing(const std::optional<Thing> &thing)
{
    if (m_currentThing == thing)
        return;
    m_currentThing = thing;
    publishCloseOffer();
    Q_EMIT currentThingChanged();
}

void AppState::publishCloseOffer()
{
    m_strip.set(&StripState::closeOffered, offersClose());
}

void AppState::setWitnessStatus(const WitnessStatus &status)
{
    if (m_witnessStatus == status)
        return;
    m_witnessStatus = status;
    Q_EMIT witnessStatusChanged();
}

void AppState::bumpRevision()
{
    // Every change of stored data passes here, so a failed write shows until
    // the store's retry with a later change succeeds.
    const QString problem = m_parts.store.writeProblem();
    m_strip.set(&StripState::saveProblem,
        problem.isEmpty() ? std::nullopt : std::optional<QString>(problem));
    ++m_revision;
    Q_EMIT revisionChanged();
}

QDateTime AppState::now() const
{
    return m_parts.clock.now();
}

bool AppState::quietNow() const
{
    return Prefs::isQuiet(now(), m_parts.store.calendar());
}

int AppState::usablePending() const
{
    return int(std::count_if(m_pendingFrames.begin(), m_pendingFrames.end(),
        [](const FrameMeta &f) { return f.isUsable(); }));
}

std::function<void()> AppState::guarded(std::function<void(AppState &)> action)
{
    return [self = QPointer<AppState>(this), action = std::move(action)] {
        if (self)
            action(*self);
    };
}

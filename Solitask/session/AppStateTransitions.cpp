// Modes and the transitions between them: launch, gate, declare, finish, close,
// off duty and quiet hours.
#include "Solitask/session/AppState.h"

#include "Solitask/session/GatePresenter.h"
#include "Solitask/session/JudgePort.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/StripPresenter.h"
#include "Solitask/session/SwitchMeterPort.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/Summaries.h"

#include <QUuid>

namespace {

QDateTime lastSeen(
    const Thing &thing, const QList<HourRecord> &hours, const QList<FrameMeta> &pending)
{
    QDateTime latest = thing.declaredAt;
    for (const HourRecord &hour : hours) {
        for (const FrameMeta &frame : hour.frames)
            latest = std::max(latest, frame.time);
    }
    for (const FrameMeta &frame : pending)
        latest = std::max(latest, frame.time);
    return latest;
}

std::optional<HourRecord> lastJudged(const QList<HourRecord> &hours)
{
    for (auto it = hours.rbegin(); it != hours.rend(); ++it) {
        if (it->status == HourStatus::judged)
            return *it;
    }
    return std::nullopt;
}

QString outcomeLine(Outcome outcome, std::optional<SwitchReason> reason, const QString &text)
{
    return QStringLiteral("closed: %1 %2 \u2014 %3")
        .arg(rawValue(outcome), reason ? rawValue(*reason) : QString(), text);
}

} // namespace

void AppState::evaluateOnLaunch()
{
    if (quietNow()) {
        setCurrentThing(m_parts.store.openThing(now()));
        enterQuiet();
        return;
    }
    const std::optional<Thing> thing = m_parts.store.openThing(now());
    if (!thing) {
        showGate(GateFace::question());
        return;
    }
    setCurrentThing(thing);
    const QList<HourRecord> hours = m_parts.store.hours(thing->id, thing->declaredAt);
    const double away = std::max<qint64>(0, lastSeen(*thing, hours, m_pendingFrames).secsTo(now()));
    if (away >= Prefs::resumeThresholdMinutes() * 60.0) {
        Diag::log(QStringLiteral("launch: away %1 s since the last frame").arg(qint64(away)));
        showGate(GateFace::resume(*thing, away, resumeStats(*thing)));
        return;
    }
    m_previousHour = lastJudged(hours);
    enterCommitted(true);
}

void AppState::showGate(const GateFace &face)
{
    setMode(Mode::gate());
    refreshNotch();
    if (m_parts.dryRun) {
        Diag::log(QStringLiteral("dry-run: gate suppressed"));
        return;
    }
    m_parts.gate.show(face, Prefs::flag(Prefs::Key::insist));
    updateStatusGlyph();
}

void AppState::showResumeOrQuestion()
{
    if (m_currentThing)
        showGate(GateFace::resume(*m_currentThing, 0, resumeStats(*m_currentThing)));
    else
        showGate(GateFace::question());
}

void AppState::showGateNow()
{
    beginNewState();
    if (m_currentThing && (m_mode.is(Mode::Kind::committed) || m_mode.is(Mode::Kind::gate)))
        showResumeOrQuestion();
    else
        showGate(GateFace::question());
}

QString AppState::resumeStats(const Thing &thing)
{
    const QList<HourRecord> hours = m_parts.store.hours(thing.id, thing.declaredAt);
    int judged = 0;
    int aligned = 0;
    for (const HourRecord &hour : hours) {
        if (hour.status != HourStatus::judged)
            continue;
        ++judged;
        aligned += hour.countsAsAligned() ? 1 : 0;
    }
    const Calendar &calendar = m_parts.store.calendar();
    QStringList parts {QStringLiteral("Declared ") + Formatters::hm(thing.declaredAt, calendar)};
    if (judged > 0) {
        parts << QStringLiteral("%1 of %2 %3 aligned")
                     .arg(aligned)
                     .arg(judged)
                     .arg(judged == 1 ? QStringLiteral("hour") : QStringLiteral("hours"));
    }
    parts << Formatters::duration(double(thing.declaredAt.secsTo(now())))
            + QStringLiteral(" so far");
    return parts.join(QStringLiteral(" \u00B7 "));
}

void AppState::declare(const QString &text, const Until &until)
{
    beginNewState();
    // Two solitasks are never open at once: the one still open ends here.
    if (m_currentThing) {
        const Thing open = *m_currentThing;
        closeCurrent(Outcome::switched, std::nullopt);
        judgePeriodOf(open, true, {});
    }
    Thing thing;
    thing.id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    thing.text = text;
    thing.declaredAt = now();
    thing.until = until;
    m_parts.store.upsertThing(thing);
    setCurrentThing(thing);
    m_previousHour.reset();
    m_consecutiveAway = 0;
    m_deadlineNudged = false;
    Diag::log(QStringLiteral("declared: %1 (%2)").arg(text, until.label(m_parts.store.calendar())));
    enterCommitted(false);
    bumpRevision();
}

void AppState::enterCommitted(bool resuming)
{
    if (!m_currentThing)
        return;
    m_parts.gate.hide();
    setMode(Mode::committed());
    if (!resuming) {
        m_periodStart = now();
        m_lastJudgeAt = m_periodStart;
        m_pendingFrames.clear();
        m_lastCaptureAt.reset();
        remember();
        m_strip.set(&StripState::dot, DotState::clear);
        m_strip.set(&StripState::nudge, std::nullopt);
        m_strip.set(&StripState::holdChoices, false);
    }
    m_parts.switchMeter.restart();
    m_strip.set(&StripState::text, m_currentThing->text);
    m_strip.set(&StripState::doneSummary, std::nullopt);
    m_strip.set(&StripState::busyText, std::nullopt);
    m_strip.set(&StripState::pausedReason, std::nullopt);
    refreshStripDetails();
    refreshNotch();
    startTick();
    updateStatusGlyph();
    if (!resuming && !m_parts.dryRun) {
        m_firstCapture.once(90, guarded([](AppState &s) {
            if (s.m_mode.is(Mode::Kind::committed) && !s.m_lastCaptureAt)
                s.captureFrame();
        }));
    }
}

void AppState::enterQuiet()
{
    m_parts.gate.hide();
    setMode(Mode::quiet());
    refreshNotch();
    Diag::log(QStringLiteral("quiet hours"));
    updateStatusGlyph();
}

bool AppState::offersClose() const
{
    return m_currentThing && !m_closing
        && (m_mode.is(Mode::Kind::committed) || m_mode.is(Mode::Kind::gate));
}

// The solitask is closed in the store at once, at the moment the person chose;
// the partial judgment that follows only adds its hour and the summary, and
// only while the person has not moved on.
void AppState::finish(Outcome outcome, std::optional<SwitchReason> reason)
{
    if (!offersClose())
        return;
    beginNewState();
    m_parts.gate.hide();
    const Thing open = *m_currentThing;
    const Thing closed = closeCurrent(outcome, reason);
    if (usablePending() >= 3 && !m_parts.judge.inFlight()) {
        m_closing = true;
        publishCloseOffer();
        m_strip.set(&StripState::busyText, QStringLiteral("Wrapping up\u2026"));
        holdStripOpen();
    }
    judgePeriodOf(open, true, guarded([token = m_closeToken, closed](AppState &s) {
        if (s.m_closeToken != token)
            return;
        s.m_closing = false;
        s.publishCloseOffer();
        s.showCloseSummary(closed);
    }));
}

void AppState::holdStripOpen()
{
    if (!m_stripPanel)
        return;
    m_stripPanel->startHoverPoll();
    m_stripPanel->setExpanded(true);
    m_stripPanel->setHoldOpen(true);
    m_stripPanel->cancelDismiss();
    m_stripPanel->relayout();
}

Thing AppState::closeCurrent(Outcome outcome, std::optional<SwitchReason> reason)
{
    Thing closed = *m_currentThing;
    // A wall clock set back must not close a solitask before it began.
    closed.closedAt = std::max(now(), closed.declaredAt);
    closed.outcome = outcome;
    closed.switchReason = reason;
    m_parts.store.upsertThing(closed);
    setCurrentThing(std::nullopt);
    bumpRevision();
    Diag::log(outcomeLine(outcome, reason, closed.text));
    return closed;
}

void AppState::showCloseSummary(const Thing &closed)
{
    if (closed.outcome != Outcome::done) {
        afterClose();
        return;
    }
    m_strip.set(&StripState::busyText, std::nullopt);
    m_strip.set(&StripState::doneSummary,
        Summaries::doneLine(
            closed, m_parts.store.hours(closed.id, closed.declaredAt), *closed.closedAt));
    // The summary stays up for a moment: the day below it shows the close too.
    refreshDay();
    holdStripOpen();
    m_followUp.once(2.6, guarded([](AppState &s) { s.afterClose(); }));
}

// What the person starts now overrides whatever the previous state still had
// coming: a close's follow-up, the off-duty end, a return check.
void AppState::beginNewState()
{
    ++m_closeToken;
    m_followUp.cancel();
    m_offDutyTimer.cancel();
    m_returnCheck.cancel();
    if (m_closing || m_strip.state().doneSummary || m_strip.state().busyText)
        releaseStrip();
    m_closing = false;
    recordOffDutyStretch();
}

void AppState::releaseStrip()
{
    m_strip.set(&StripState::busyText, std::nullopt);
    m_strip.set(&StripState::doneSummary, std::nullopt);
    if (m_stripPanel) {
        m_stripPanel->setHoldOpen(false);
        m_stripPanel->collapse();
    }
}

void AppState::afterClose()
{
    releaseStrip();
    if (quietNow())
        enterQuiet();
    else
        showGate(GateFace::question());
}

std::optional<QDateTime> AppState::offDutyEnd(std::optional<int> minutes) const
{
    const QDateTime at = now();
    if (minutes)
        return *minutes >= 0 ? std::optional(at.addSecs(qint64(*minutes) * 60)) : std::nullopt;
    const Calendar &calendar = m_parts.store.calendar();
    const int start = Prefs::integer(Prefs::Key::quietStartMinutes);
    const QDate today = calendar.date(at);
    const QDateTime quietStart
        = calendar.instant(today, QTime(start / 60 % 24, start % 60)).value_or(at);
    if (at.secsTo(quietStart) > 60)
        return quietStart;
    return calendar.startOfDay(today).value_or(at).addSecs(86400);
}

void AppState::goOffDuty(std::optional<int> minutes, const QString &reason)
{
    beginNewState();
    m_offDutySince = now();
    m_offDutyReason = reason;
    enterOffDuty(offDutyEnd(minutes));
}

void AppState::enterOffDuty(std::optional<QDateTime> until)
{
    m_parts.gate.hide();
    setMode(Mode::offDuty(until));
    refreshNotch();
    if (until)
        m_offDutyTimer.once(
            double(now().msecsTo(*until)) / 1000.0, guarded([](AppState &s) { s.endOffDuty(); }));
    Diag::log(QStringLiteral("off duty (%1) until %2")
                  .arg(m_offDutyReason,
                      until ? Formatters::hm(*until, m_parts.store.calendar())
                            : QStringLiteral("next unlock")));
    updateStatusGlyph();
    remember();
}

void AppState::endOffDuty()
{
    beginNewState();
    if (quietNow())
        enterQuiet();
    else
        showResumeOrQuestion();
}

void AppState::recordOffDutyStretch()
{
    if (!m_offDutySince)
        return;
    // Never store a stretch that ends before it starts (clock set back).
    m_parts.store.addOffDuty({*m_offDutySince, std::max(now(), *m_offDutySince), m_offDutyReason});
    m_offDutySince.reset();
    remember();
    bumpRevision();
}

void AppState::scheduleQuietBoundary()
{
    m_quietTimer.cancel();
    m_quietBoundaryAt = Prefs::nextQuietBoundary(now(), m_parts.store.calendar());
    if (m_quietBoundaryAt)
        m_quietTimer.once(double(now().msecsTo(*m_quietBoundaryAt)) / 1000.0,
            guarded([](AppState &s) { s.handleQuietBoundary(); }));
}

void AppState::handleQuietBoundary()
{
    if (quietNow()) {
        if (m_mode.is(Mode::Kind::committed) || m_mode.is(Mode::Kind::gate))
            enterQuiet();
    } else if (m_mode.is(Mode::Kind::quiet)) {
        leaveQuiet();
    }
    scheduleQuietBoundary();
}

void AppState::leaveQuiet()
{
    showResumeOrQuestion();
}

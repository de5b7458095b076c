// The tick, frame capture, hourly judging and what a verdict does to the strip.
#include "Solitask/session/AppState.h"

#include "Solitask/session/CaptureSettings.h"
#include "Solitask/session/FrameRetention.h"
#include "Solitask/session/JudgePort.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/StripPresenter.h"
#include "Solitask/session/SwitchMeterPort.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/JudgeProtocol.h"
#include "SolitaskCore/NudgeCopy.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/Thresholds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>

namespace {

constexpr double kPeriodSeconds = 3585;
constexpr double kNudgeSeconds = 20;
const QString kJudgeBusy = QStringLiteral("The witness is already looking at another period.");

std::optional<QString> pausedReasonFor(const FrameMeta &frame, std::optional<QString> current)
{
    if (!frame.skipped)
        return std::nullopt;
    switch (*frame.skipped) {
    case SkipReason::privateApp:
        return QStringLiteral("private app");
    case SkipReason::camera:
        return QStringLiteral("on a call");
    case SkipReason::noPermission:
        return QStringLiteral("no screen permission");
    case SkipReason::failed:
        return QStringLiteral("capture failed");
    case SkipReason::locked:
    case SkipReason::idle:
        break;
    }
    return current;
}

double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    return double(from.msecsTo(to)) / 1000.0;
}

} // namespace

void AppState::startTick()
{
    const double interval = m_parts.dryRun ? 1.0 : 30.0;
    m_tick.repeating(
        interval, guarded([](AppState &s) { s.onTick(); }), m_parts.dryRun ? 0.1 : 5.0);
}

void AppState::onTick()
{
    repairClockJump();
    if (secondsBetween(m_lastCleanup, now()) > 3600) {
        m_lastCleanup = now();
        QSet<QString> keep;
        for (const FrameMeta &frame : std::as_const(m_pendingFrames))
            if (frame.file)
                keep.insert(*frame.file);
        FrameRetention::cleanup(m_parts.witness, m_parts.store, keep, now(), false);
    }
    catchUpWallClockTimers();
    const bool graced = m_wokeAt && secondsBetween(*m_wokeAt, now()) < 60 && !m_parts.dryRun;
    if (!m_mode.is(Mode::Kind::committed) || !m_currentThing || graced) {
        writeSnapshot();
        return;
    }
    const double cadence = m_parts.dryRun ? 2.0 : Prefs::cadenceMinutes() * 60.0;
    const double slack = m_parts.dryRun ? 0.0 : 5.0;
    if (!m_lastCaptureAt || secondsBetween(*m_lastCaptureAt, now()) >= cadence - slack)
        captureFrame();
    if (periodDue() && !m_parts.judge.inFlight())
        judgePeriod(false, {});
    checkDeadline();
    refreshStripDetails();
    writeSnapshot();
}

// Instants kept from before a wall clock was set back would otherwise give
// negative ages: captures and judging would stall for as long as the jump.
void AppState::repairClockJump()
{
    const QDateTime at = now();
    if (m_lastCaptureAt && *m_lastCaptureAt > at)
        m_lastCaptureAt = at;
    if (m_lastJudgeAt > at)
        m_lastJudgeAt = at;
    if (m_periodStart > at)
        m_periodStart = at;
    if (m_lastCleanup > at)
        m_lastCleanup = at;
    if (m_wokeAt && *m_wokeAt > at)
        m_wokeAt = at;
}

// Off-duty ends and quiet boundaries are wall-clock moments; the timers that
// wait for them count elapsed time, so a jump is caught here instead.
void AppState::catchUpWallClockTimers()
{
    if (m_mode.is(Mode::Kind::offDuty) && m_mode.until && *m_mode.until <= now())
        endOffDuty();
    if (m_quietBoundaryAt && *m_quietBoundaryAt <= now())
        handleQuietBoundary();
}

bool AppState::periodDue() const
{
    if (m_parts.dryRun)
        return usablePending() >= 3;
    return secondsBetween(m_lastJudgeAt, now()) >= kPeriodSeconds;
}

void AppState::checkDeadline()
{
    if (m_deadlineNudged || !m_currentThing)
        return;
    const std::optional<QDateTime> deadline
        = m_currentThing->until.deadline(m_currentThing->declaredAt);
    if (!deadline || now() < *deadline)
        return;
    m_deadlineNudged = true;
    showNudge(QStringLiteral("You said %1. Done, or keep going?")
                  .arg(m_currentThing->until.label(m_parts.store.calendar())),
        false);
}

void AppState::captureFrame()
{
    m_lastCaptureAt = now();
    if (m_parts.dryRun) {
        receiveFrame(m_parts.witness.fakeCapture(int(m_pendingFrames.size())));
        return;
    }
    QPointer<AppState> self(this);
    m_parts.witness.capture(CaptureSettings::current(), [self](FrameMeta frame) {
        if (self)
            self->receiveFrame(frame);
    });
}

void AppState::receiveFrame(const FrameMeta &frame)
{
    if (m_mode.is(Mode::Kind::committed) && m_currentThing) {
        m_pendingFrames.append(frame);
        remember();
    }
    m_strip.set(&StripState::pausedReason, pausedReasonFor(frame, m_strip.state().pausedReason));
    updateStatusGlyph();
}

void AppState::judgePeriod(bool partial, std::function<void()> then)
{
    if (!m_currentThing) {
        if (then)
            then();
        return;
    }
    judgePeriodOf(*m_currentThing, partial, std::move(then));
}

// A period cut short without frames leaves no hour; a due hour is stored even empty.
void AppState::judgePeriodOf(const Thing &thing, bool partial, std::function<void()> then)
{
    if (partial && m_pendingFrames.isEmpty()) {
        if (then)
            then();
        return;
    }
    const QDateTime at = now();
    HourRecord hour;
    hour.id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    hour.thingID = thing.id;
    hour.start = std::min(m_periodStart, at);
    hour.end = at;
    hour.frames = std::exchange(m_pendingFrames, {});
    hour.partial = partial;
    hour.status = HourStatus::quiet;
    m_periodStart = at;
    m_lastJudgeAt = at;
    const SwitchCounts counts = m_parts.switchMeter.snapshot(at);
    m_parts.switchMeter.restart();
    hour.switches = counts.switches;
    hour.distinctApps = counts.distinctApps;
    const int usable = hour.usableFrameCount();
    // A judge still busy with the previous hour cannot take this one; its
    // frames are kept in the record all the same.
    const bool busy = usable >= 3 && m_parts.judge.inFlight();
    if (usable < 3 || busy) {
        if (busy) {
            hour.status = HourStatus::unwitnessed;
            hour.error = kJudgeBusy;
        } else {
            Diag::log(QStringLiteral("period quiet (%1 usable frames)").arg(usable));
        }
        storeHour(hour);
        if (then)
            then();
        return;
    }
    const QByteArray input = judgeInput(thing, hour.frames, counts, partial);
    m_judging.append(hour);
    remember();
    QPointer<AppState> self(this);
    m_parts.judge.execute(input, Prefs::judgeModel(Prefs::witnessModel()),
        partial ? QStringLiteral("partial") : QStringLiteral("hour"),
        [self, thing, hour, then](const JudgeAnswer &answer) {
            if (!self)
                return;
            self->judgeCompleted(thing, hour, answer);
            if (then)
                then();
        });
}

void AppState::storeHour(const HourRecord &hour)
{
    m_parts.store.upsertHour(hour);
    m_judging.removeIf([&](const HourRecord &h) { return h.id == hour.id; });
    remember();
    bumpRevision();
    deleteIfNoRetention(hour.frames);
    refreshStripDetails();
}

QByteArray AppState::judgeInput(
    const Thing &thing, const QList<FrameMeta> &frames, const SwitchCounts &counts, bool partial)
{
    QList<JudgeProtocol::FrameInput> inputs;
    const Calendar &calendar = m_parts.store.calendar();
    for (const FrameMeta &frame : frames) {
        JudgeProtocol::FrameInput input {frame.caption(calendar), std::nullopt};
        if (frame.isUsable()) {
            QFile file(QDir(m_parts.witness.framesDir()).filePath(*frame.file));
            if (file.open(QIODevice::ReadOnly))
                input.jpegBase64 = QString::fromLatin1(file.readAll().toBase64());
        }
        inputs.append(input);
    }
    const QString text = JudgeProtocol::userText(thing, m_previousHour, counts.switches,
        counts.distinctApps, counts.dwell, frames.size(), partial, now());
    return JudgeProtocol::ndjsonMessage(text, inputs);
}

void AppState::judgeCompleted(const Thing &thing, HourRecord hour, const JudgeAnswer &answer)
{
    const bool current = m_currentThing && m_currentThing->id == thing.id;
    if (const auto *outcome = std::get_if<JudgeOutcome>(&answer)) {
        hour.status = HourStatus::judged;
        hour.result = Thresholds::keepingSkipped(
            outcome->result, hour.frames, m_parts.store.calendar());
        hour.model = outcome->model;
        hour.costUSD = outcome->costUSD;
        hour.durationMs = outcome->durationMs;
        storeHour(hour);
        // The context of the next request belongs to the solitask it judged.
        if (current)
            m_previousHour = hour;
        setWitnessStatus(WitnessStatus::ready(outcome->model, {}, outcome->seconds));
        if (current)
            applyVerdict(hour);
    } else {
        const JudgeFailure &failure = std::get<JudgeFailure>(answer);
        hour.status = HourStatus::unwitnessed;
        hour.error = failure.message();
        storeHour(hour);
        setWitnessStatus(failure.kind == JudgeFailure::Kind::cliNotFound
                ? WitnessStatus::missing()
                : WitnessStatus::failing(failure.message()));
        if (current)
            applyUnwitnessed(hour, failure);
    }
    refreshStripDetails();
}

void AppState::applyVerdict(const HourRecord &hour)
{
    if (!hour.result || !m_currentThing)
        return;
    const Verdict verdict = hour.result->verdict;
    m_strip.set(&StripState::dot, dotState(verdict));
    const bool away = verdict == Verdict::away;
    m_consecutiveAway = away ? m_consecutiveAway + 1 : 0;
    const bool hold = away && m_consecutiveAway > 1;
    if (const auto line = NudgeCopy::line(*hour.result, m_currentThing->text)) {
        showNudge(*line, hold);
    } else {
        m_strip.set(&StripState::nudge, std::nullopt);
        m_strip.set(&StripState::holdChoices, false);
    }
    if (Prefs::flag(Prefs::Key::soundOnNudge) && (away || verdict == Verdict::drifting)
        && m_parts.playNudgeSound)
        m_parts.playNudgeSound();
}

void AppState::applyUnwitnessed(const HourRecord &hour, const JudgeFailure &failure)
{
    const bool cliNotFound = failure.kind == JudgeFailure::Kind::cliNotFound;
    m_strip.set(&StripState::dot, DotState::gray);
    m_strip.set(&StripState::pausedReason,
        cliNotFound ? QStringLiteral("Claude Code not found") : QStringLiteral("witness offline"));
    if (const auto line = NudgeCopy::switchesOnlyLine(hour.switches))
        showNudge(*line, false);
}

void AppState::showNudge(const QString &text, bool hold)
{
    m_strip.set(&StripState::nudge, text);
    m_strip.set(&StripState::holdChoices, hold);
    refreshNotch();
    if (m_stripPanel) {
        m_stripPanel->presentTransient(hold ? std::nullopt : std::optional(kNudgeSeconds));
        m_stripPanel->relayout();
    }
    m_nudgeTimer.cancel();
    if (hold)
        return;
    m_nudgeTimer.once(kNudgeSeconds, guarded([](AppState &s) {
        s.m_strip.set(&StripState::nudge, std::nullopt);
        if (s.m_stripPanel)
            s.m_stripPanel->relayout();
    }));
}

void AppState::deleteIfNoRetention(const QList<FrameMeta> &frames)
{
    if (Prefs::retentionHours() >= 1)
        return;
    const QDir dir(m_parts.witness.framesDir());
    for (const FrameMeta &frame : frames) {
        // Only plain names inside the frames folder; a stored "../x" must not reach outside it.
        if (frame.file && QFileInfo(*frame.file).fileName() == *frame.file)
            QFile::remove(dir.filePath(*frame.file));
    }
}

void AppState::correct(const QString &hourID, std::optional<Correction> correction)
{
    m_parts.store.setCorrection(hourID, correction);
    if (m_previousHour && m_previousHour->id == hourID)
        m_previousHour->correction = correction;
    bumpRevision();
    refreshStripDetails();
    refreshDay();
}

std::optional<QString> AppState::frameURL(const FrameMeta &frame) const
{
    if (!frame.file || QFileInfo(*frame.file).fileName() != *frame.file)
        return std::nullopt;
    const QString path = QDir(m_parts.witness.framesDir()).filePath(*frame.file);
    return QFileInfo::exists(path) ? std::optional(path) : std::nullopt;
}

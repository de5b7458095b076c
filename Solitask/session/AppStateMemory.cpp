// What lives between two day-file writes, kept on disk so that a restart (or
// a crash) resumes it: the period under way, the periods with the judge and an
// off-duty stretch under way.
#include "Solitask/session/AppState.h"

#include "SolitaskCore/Diag.h"
#include "SolitaskCore/ResumeState.h"
#include "SolitaskCore/Store.h"

#include <QUuid>

namespace {

const QString kNeverJudged = QStringLiteral("Solitask closed before the witness answered.");

} // namespace

std::optional<HourRecord> AppState::pendingPeriod() const
{
    if (!m_currentThing || m_pendingFrames.isEmpty())
        return std::nullopt;
    HourRecord period;
    period.thingID = m_currentThing->id;
    period.start = m_periodStart;
    period.end = m_pendingFrames.last().time;
    period.frames = m_pendingFrames;
    period.partial = true;
    period.status = HourStatus::unwitnessed;
    return period;
}

void AppState::remember()
{
    // A dry run shares the store but is no session to resume.
    if (m_parts.dryRun)
        return;
    ResumeState state;
    state.period = pendingPeriod();
    if (state.period)
        state.lastCaptureAt = m_lastCaptureAt;
    state.judging = m_judging;
    if (m_offDutySince)
        state.offDuty = OffDutyStretch {*m_offDutySince, m_offDutyReason, m_mode.until};
    ResumeFile::save(m_parts.store.root(), state);
}

bool AppState::restoreFromDisk()
{
    const ResumeState state = ResumeFile::load(m_parts.store.root());
    for (const HourRecord &hour : state.judging)
        storeLeftover(hour, kNeverJudged);
    if (state.period)
        restorePeriod(*state.period, state.lastCaptureAt);
    const bool offDuty = state.offDuty && restoreOffDuty(*state.offDuty);
    remember();
    return offDuty;
}

void AppState::restorePeriod(const HourRecord &period, std::optional<QDateTime> lastCaptureAt)
{
    const std::optional<Thing> open = m_parts.store.openThing(now());
    if (!open || open->id != period.thingID) {
        storeLeftover(period, kNeverJudged);
        return;
    }
    setCurrentThing(open);
    m_pendingFrames = period.frames;
    m_periodStart = std::min(period.start, now());
    m_lastJudgeAt = m_periodStart;
    m_lastCaptureAt = lastCaptureAt;
    Diag::log(QStringLiteral("resumed period (%1 frames)").arg(period.frames.size()));
}

// A stretch whose end passed while Solitask was not running is recorded as
// planned; one still under way goes on.
bool AppState::restoreOffDuty(const OffDutyStretch &stretch)
{
    if (stretch.until && *stretch.until <= now()) {
        m_parts.store.addOffDuty(
            {stretch.since, std::max(*stretch.until, stretch.since), stretch.reason});
        bumpRevision();
        return false;
    }
    m_offDutySince = stretch.since;
    m_offDutyReason = stretch.reason;
    setCurrentThing(m_parts.store.openThing(now()));
    enterOffDuty(stretch.until);
    return true;
}

// A period that can no longer be judged is still part of the record.
void AppState::storeLeftover(HourRecord hour, const QString &error)
{
    if (hour.frames.isEmpty())
        return;
    for (const HourRecord &stored : m_parts.store.hours(hour.thingID, hour.start)) {
        if (stored.id == hour.id)
            return;
    }
    if (hour.id.isEmpty())
        hour.id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    if (hour.usableFrameCount() < 3) {
        hour.status = HourStatus::quiet;
    } else {
        hour.status = HourStatus::unwitnessed;
        hour.error = error;
    }
    m_parts.store.upsertHour(hour);
    bumpRevision();
}

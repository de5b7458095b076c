// What the session writes into the strip model, and the strip's actions.
#include "Solitask/session/AppState.h"

#include "Solitask/session/DiagSnapshot.h"
#include "Solitask/session/JudgePort.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/StripPresenter.h"
#include "Solitask/session/SwitchMeterPort.h"
#include "Solitask/session/WindowPresenter.h"
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/Practice.h"
#include "SolitaskCore/Store.h"

#include <algorithm>

namespace {

constexpr int kVisibleDots = 6;

DotState dotFor(const HourRecord &hour)
{
    const std::optional<Verdict> verdict = hour.effectiveVerdict();
    return verdict ? dotState(*verdict) : DotState::clear;
}

QString counted(qint64 count, const QString &one, const QString &many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

DotState rowState(const QString &thingID, const QList<HourRecord> &hours)
{
    int judged = 0;
    int aligned = 0;
    for (const HourRecord &hour : hours) {
        if (hour.thingID != thingID || hour.status != HourStatus::judged)
            continue;
        ++judged;
        aligned += hour.countsAsAligned() ? 1 : 0;
    }
    if (judged == 0)
        return DotState::clear;
    return 2 * aligned < judged ? DotState::amber : DotState::sage;
}

} // namespace

void AppState::buildStrip()
{
    if (!m_parts.makeStripPanel)
        return;
    m_stripPanel = m_parts.makeStripPanel(m_strip);
    QPointer<AppState> self(this);
    StripActions actions;
    actions.onDone = guarded([](AppState &s) { s.finish(Outcome::done, std::nullopt); });
    actions.onSwitch = [self](SwitchReason reason) {
        if (self)
            self->finish(Outcome::switched, reason);
    };
    actions.onOffDuty = [self](std::optional<int> minutes, const QString &reason) {
        if (self)
            self->goOffDuty(minutes, reason);
    };
    // The strip stays on top of everything; left open it would cover the
    // journal's header, so it closes as the journal opens.
    actions.onJournal = guarded([](AppState &s) {
        if (s.m_stripPanel)
            s.m_stripPanel->collapse();
        s.m_parts.journal.present();
    });
    actions.onBackToIt = guarded([](AppState &s) {
        s.m_consecutiveAway = 0;
        s.m_strip.set(&StripState::holdChoices, false);
        s.m_strip.set(&StripState::nudge, std::nullopt);
        if (s.m_stripPanel)
            s.m_stripPanel->collapse();
    });
    actions.onDeclare = guarded([](AppState &s) { s.showGateNow(); });
    actions.onBackOnDuty = guarded([](AppState &s) { s.endOffDuty(); });
    m_stripPanel->setActions(std::move(actions));
}

void AppState::refreshNotch()
{
    const Calendar &calendar = m_parts.store.calendar();
    m_strip.set(&StripState::declareOffered, m_mode.is(Mode::Kind::gate) && m_currentThing);
    switch (m_mode.kind) {
    case Mode::Kind::committed:
        m_strip.set(&StripState::face, StripFace::committed);
        break;
    case Mode::Kind::gate:
        // A gate closed unanswered leaves its solitask open: the strip says so.
        m_strip.set(&StripState::face, m_currentThing ? StripFace::committed : StripFace::nothing);
        if (m_currentThing)
            m_strip.set(&StripState::text, m_currentThing->text);
        break;
    case Mode::Kind::offDuty:
        m_strip.set(&StripState::face, StripFace::offDuty);
        m_strip.set(&StripState::offDutyText,
            m_mode.until ? QStringLiteral("Until %1.").arg(Formatters::hm(*m_mode.until, calendar))
                         : QStringLiteral("Until next unlock."));
        break;
    case Mode::Kind::quiet: {
        m_strip.set(&StripState::face, StripFace::quiet);
        const auto boundary = Prefs::nextQuietBoundary(now(), calendar);
        m_strip.set(&StripState::offDutyText,
            boundary ? QStringLiteral("until ") + Formatters::hm(*boundary, calendar) : QString());
        [[fallthrough]];
    }
    case Mode::Kind::onboarding:
        if (m_stripPanel)
            m_stripPanel->dismiss();
        return;
    }
    refreshDay();
    if (!m_stripPanel)
        return;
    if (!m_strip.state().expanded)
        m_stripPanel->orderOut();
    m_stripPanel->startHoverPoll();
}

void AppState::refreshStripDetails()
{
    if (!m_currentThing)
        return;
    const Thing &thing = *m_currentThing;
    const Calendar &calendar = m_parts.store.calendar();
    m_strip.set(&StripState::elapsedText,
        Formatters::duration(double(thing.declaredAt.msecsTo(now())) / 1000.0));
    m_strip.set(&StripState::untilText, thing.until.label(calendar));
    QList<HourDot> dots;
    for (const HourRecord &hour : m_parts.store.hours(thing.id, thing.declaredAt))
        dots.append({hour.id, Formatters::hm(hour.end, calendar), dotFor(hour),
            hour.status == HourStatus::quiet});
    dots.append({QStringLiteral("pending"), Formatters::hm(m_lastJudgeAt.addSecs(3600), calendar),
        DotState::clear, false});
    m_strip.set(
        &StripState::hourDots, dots.mid(std::max<qsizetype>(0, dots.size() - kVisibleDots)));
    QStringList meter {counted(m_parts.switchMeter.snapshot(now()).switches,
        QStringLiteral("switch"), QStringLiteral("switches"))};
    if (m_previousHour && m_previousHour->result)
        meter << counted(m_previousHour->result->threads.size(), QStringLiteral("thread"),
            QStringLiteral("threads"));
    m_strip.set(&StripState::meterText, meter.join(QStringLiteral(" \u00B7 ")));
    if (m_stripPanel)
        m_stripPanel->relayout();
}

void AppState::refreshDay()
{
    const Calendar &calendar = m_parts.store.calendar();
    const DayLog log = m_parts.store.log(DayKey::key(now(), calendar));
    const DayStats stats = Practice::stats(log);
    m_strip.set(&StripState::judgedHours, stats.judgedHours);
    m_strip.set(&StripState::alignedPct,
        stats.judgedHours > 0 ? std::optional(stats.alignedHours * 100 / stats.judgedHours)
                              : std::nullopt);
    m_strip.set(&StripState::threadsPerHour, stats.threadsPerHour);
    m_strip.set(&StripState::switchesToday, stats.switchesPerDay);
    QList<Thing> things = log.things;
    std::stable_sort(things.begin(), things.end(),
        [](const Thing &a, const Thing &b) { return a.declaredAt < b.declaredAt; });
    QList<DayThingRow> rows;
    for (const Thing &thing : things) {
        const QString end
            = thing.closedAt ? Formatters::hm(*thing.closedAt, calendar) : QStringLiteral("now");
        rows.append({thing.id, thing.text,
            Formatters::hm(thing.declaredAt, calendar) + QStringLiteral("\u2013") + end,
            rowState(thing.id, log.hours), thing.isOpen()});
    }
    m_strip.set(&StripState::dayThings, rows);
}

QVariantMap AppState::snapshot() const
{
    const int usable = int(std::count_if(m_pendingFrames.begin(), m_pendingFrames.end(),
        [](const FrameMeta &f) { return f.isUsable(); }));
    return {
        {QStringLiteral("mode"), m_mode.printed()},
        {QStringLiteral("thing"), m_currentThing ? m_currentThing->text : QString()},
        {QStringLiteral("pendingFrames"), int(m_pendingFrames.size())},
        {QStringLiteral("usableFrames"), usable},
        {QStringLiteral("lastCaptureAt"),
            m_lastCaptureAt ? Formatters::iso(*m_lastCaptureAt) : QString()},
        {QStringLiteral("lastJudgeAt"), Formatters::iso(m_lastJudgeAt)},
        {QStringLiteral("dot"), rawValue(m_strip.state().dot)},
        {QStringLiteral("nudge"), m_strip.state().nudge.value_or(QString())},
        {QStringLiteral("switches"), m_parts.switchMeter.snapshot(now()).switches},
        {QStringLiteral("judgeBusy"), m_parts.judge.inFlight()},
    };
}

void AppState::writeSnapshot() const
{
    Diag::snapshot(snapshot(), now());
}

// Five working days with default preferences, read back from the day files.
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Practice.h"
#include "session/SessionHarness.h"

#include <gtest/gtest.h>

namespace {

QDateTime on(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 3, 2 + day), QTime(hour, minute), QTimeZone::utc());
}

struct Expected
{
    int judged = 0;
    int aligned = 0;
};

} // namespace

TEST(WorkingWeek, FiveDaysOfScriptedWorkKeepTheStoreConsistent)
{
    SessionHarness h(on(0, 8, 30));
    // Every fifth frame idle, every seventh in a private app: enough usable frames remain.
    int frameNo = 0;
    h.witness.steady.reset();
    const Verdict verdicts[] = {Verdict::aligned, Verdict::mostly, Verdict::drifting, Verdict::away,
        Verdict::aligned, Verdict::unclear};
    int answerNo = 0;
    QMap<QString, Expected> expected;
    h.judge.autoAnswer = [&]() -> JudgeAnswer {
        const int n = answerNo++;
        if (n % 9 == 8)
            return JudgeFailure::timeout();
        const Verdict verdict = verdicts[n % 6];
        Expected &day = expected[DayKey::key(h.clock.now(), h.store.calendar())];
        ++day.judged;
        day.aligned += (verdict == Verdict::aligned || verdict == Verdict::mostly) ? 1 : 0;
        return judged(verdict);
    };
    auto refill = [&] {
        for (int i = 0; i < 400; ++i, ++frameNo)
            h.witness.script.push_back(frameNo % 5 == 4 ? std::optional(SkipReason::idle)
                    : frameNo % 7 == 6                  ? std::optional(SkipReason::privateApp)
                                                        : std::nullopt);
    };
    h.state->boot();
    for (int day = 0; day < 5; ++day) {
        refill();
        h.clock.advanceTo(on(day, 9));
        ASSERT_EQ(h.state->mode(), AppMode::gate()) << day;
        h.gate.callbacks().onDeclare(QStringLiteral("Morning work %1").arg(day), Until::hours(3));
        h.clock.advanceTo(on(day, 12, 10));
        h.strip->actions().onDone();
        h.clock.advanceTo(on(day, 12, 15));
        h.gate.callbacks().onOffDuty(45, "lunch");
        h.clock.advanceTo(on(day, 13));
        ASSERT_EQ(h.state->mode(), AppMode::gate());
        h.gate.callbacks().onDeclare(
            QStringLiteral("Afternoon work %1").arg(day), Until::untilDone());
        h.clock.advanceTo(on(day, 15));
        h.system.handlers.screenLocked();
        h.clock.advanceTo(on(day, 15, 30));
        h.system.handlers.screenUnlocked();
        h.clock.advance(1);
        if (h.state->mode().is(AppMode::Kind::gate))
            h.gate.callbacks().onResume();
        h.clock.advanceTo(on(day, 18));
        h.strip->actions().onSwitch(SwitchReason::doneEnough);
        h.clock.advanceTo(on(day, 21));
        ASSERT_EQ(h.state->mode(), AppMode::quiet()) << day;
    }

    Store reread(h.store.root(), h.store.calendar());
    for (int day = 0; day < 5; ++day) {
        const DayLog log = reread.log(on(day, 12));
        ASSERT_EQ(log.things.size(), 2) << day;
        ASSERT_EQ(log.offDuty.size(), 1) << day;
        EXPECT_EQ(log.offDuty[0].start.secsTo(log.offDuty[0].end), 45 * 60);
        for (const Thing &thing : log.things) {
            ASSERT_TRUE(thing.closedAt.has_value());
            EXPECT_LE(thing.declaredAt, *thing.closedAt);
        }
        EXPECT_EQ(log.things[0].outcome, Outcome::done);
        EXPECT_EQ(log.things[1].switchReason, SwitchReason::doneEnough);
        QSet<QString> ids {log.things[0].id, log.things[1].id};
        for (const HourRecord &hour : log.hours) {
            EXPECT_TRUE(ids.contains(hour.thingID));
            EXPECT_LE(hour.start, hour.end);
            EXPECT_LE(hour.start.secsTo(hour.end), 3600 + 30);
            EXPECT_EQ(hour.status == HourStatus::judged, hour.result.has_value());
        }
        const DayStats stats = Practice::stats(log);
        const Expected want = expected.value(log.date);
        EXPECT_GT(want.judged, 4) << day;
        EXPECT_EQ(stats.judgedHours, want.judged) << day;
        EXPECT_EQ(stats.alignedHours, want.aligned) << day;
        EXPECT_EQ(stats.declaredThings, 2);
        EXPECT_EQ(stats.switchesPerDay, 1);
    }
    EXPECT_TRUE(reread.log(on(5, 12)).things.isEmpty()) << "Saturday is quiet";
}

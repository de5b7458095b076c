// Launch, off duty, quiet hours, returns and clock jumps on virtual time.
#include "session/SessionHarness.h"

#include <gtest/gtest.h>

namespace {

/// Stores an open solitask declared at `declared` with one judged hour whose
/// last frame was taken at `lastFrame`.
void seedOpenThing(Store &store, const QDateTime &declared, const QDateTime &lastFrame)
{
    Thing thing {"T1", "Old work", declared, Until::untilDone(), {}, {}, {}};
    store.upsertThing(thing);
    HourRecord hour;
    hour.id = "H1";
    hour.thingID = thing.id;
    hour.start = declared;
    hour.end = lastFrame;
    hour.status = HourStatus::judged;
    hour.result = resultOf(Verdict::aligned);
    FrameMeta frame;
    frame.id = "F1";
    frame.time = lastFrame;
    frame.file = "x.jpg";
    hour.frames = {frame};
    store.upsertHour(hour);
}

} // namespace

/// A session on Monday 2 March 2026, 09:00 UTC.
class AppStateModes : public ::testing::Test
{
protected:
    SessionHarness h;
};

TEST_F(AppStateModes, BootTwiceDoesNothingTheSecondTime)
{
    h.state->boot();
    HeadlessStrip *first = h.strip;
    h.state->boot();
    EXPECT_EQ(h.strip, first);
    EXPECT_EQ(h.witness.cleanups.size(), 1);
    EXPECT_EQ(h.gate.calls(), QStringList {"show question"});
}

TEST_F(AppStateModes, FirstRunShowsOnboarding)
{
    Prefs::setValue(Prefs::Key::onboardingDone, false);
    h.state->boot();
    EXPECT_EQ(h.state->mode(), AppMode::onboarding());
    EXPECT_EQ(h.onboarding.presented(), 1);
    EXPECT_FALSE(h.gate.isShowing());
}

// Away from the last frame for less than the threshold (at least a minute): resumed silently.
TEST(AppStateModesOwnSession, LaunchAfter19MinutesResumesAfter20AsksAgain)
{
    for (const int away : {19 * 60, 20 * 60, 61}) {
        const QDateTime launch = march(2, 11, 0);
        SessionHarness h(launch);
        if (away == 61)
            Prefs::setValue(Prefs::Key::resumeThresholdMinutes, -5);
        seedOpenThing(h.store, launch.addSecs(-7200), launch.addSecs(-away));
        h.state->boot();
        if (away == 19 * 60) {
            EXPECT_EQ(h.state->mode(), AppMode::committed());
            ASSERT_TRUE(h.state->previousHour().has_value());
            EXPECT_EQ(h.state->previousHour()->id, "H1");
            continue;
        }
        EXPECT_EQ(h.state->mode(), AppMode::gate()) << away;
        EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume) << away;
        EXPECT_EQ(h.gate.face().awaySeconds, away);
        EXPECT_EQ(h.gate.face().stats,
            "Declared 09:00 \u00B7 1 of 1 hour aligned \u00B7 2 h 00 m so far");
    }
}

TEST(AppStateModesOwnSession, LaunchInQuietHoursKeepsTheThingAndLeavesWithResumeFace)
{
    const QDateTime launch = march(2, 7, 30);
    SessionHarness h(launch);
    seedOpenThing(h.store, launch.addSecs(-600), launch.addSecs(-60));
    h.state->boot();
    EXPECT_EQ(h.state->mode(), AppMode::quiet());
    EXPECT_TRUE(h.state->currentThing().has_value());
    EXPECT_FALSE(h.gate.isShowing());
    EXPECT_EQ(h.strip_().offDutyText, "until 08:00");
    h.clock.advanceTo(march(2, 8, 0));
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume);
    EXPECT_EQ(h.gate.face().awaySeconds, 0);
}

// The clocks go back on Sunday 25 October 2026: Monday morning's boundary moves with them.
TEST(AppStateModesOwnSession, FridayNightIsQuietUntilMondayMorningAcrossTheClockChange)
{
    const QTimeZone berlin("Europe/Berlin");
    const auto local = [&](int day, int hour, int minute) {
        return QDateTime(QDate(2026, 10, day), QTime(hour, minute), berlin).toUTC();
    };
    SessionHarness h(local(23, 19, 0), berlin); // a Friday
    h.declare();
    h.clock.advanceTo(local(23, 20, 0));
    EXPECT_EQ(h.state->mode(), AppMode::quiet());
    EXPECT_EQ(h.strip_().offDutyText, "until 08:00");
    EXPECT_EQ(h.strip_().face, StripFace::quiet);
    const int captured = h.witness.requests.size();
    h.clock.advanceTo(local(26, 7, 59));
    EXPECT_EQ(h.state->mode(), AppMode::quiet());
    EXPECT_EQ(h.witness.requests.size(), captured) << "nothing is captured in quiet hours";
    h.clock.advanceTo(local(26, 8, 0));
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume);
}

TEST(AppStateModesOwnSession, OffDutyForTheRestOfTheDayNearQuietStart)
{
    struct Case
    {
        QDateTime at;
        QDateTime until;
    };
    for (const Case &c :
        {Case {march(2, 19, 59, 30), march(3, 0, 0)}, Case {march(2, 19, 58), march(2, 20, 0)}}) {
        SessionHarness h(c.at);
        h.state->boot();
        h.gate.callbacks().onOffDuty(std::nullopt, "done for today");
        EXPECT_EQ(h.state->mode(), AppMode::offDuty(c.until)) << qPrintable(c.at.toString());
    }
}

TEST_F(AppStateModes, OffDutyForHalfAnHour)
{
    h.state->boot();
    h.gate.callbacks().onOffDuty(30, "lunch");
    EXPECT_EQ(h.strip_().offDutyText, "Until 09:30.");
    h.at(1799);
    EXPECT_TRUE(h.state->mode().is(AppMode::Kind::offDuty));
    h.at(1800);
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    const DayLog log = h.store.log(h.clock.now());
    ASSERT_EQ(log.offDuty.size(), 1);
    EXPECT_EQ(log.offDuty[0].start.secsTo(log.offDuty[0].end), 1800);
}

TEST_F(AppStateModes, SomeoneElseUntilTheNextUnlock)
{
    h.declare();
    h.gate.callbacks().onOffDuty(-1, "someone else");
    EXPECT_EQ(h.state->mode(), AppMode::offDuty(std::nullopt));
    EXPECT_EQ(h.strip_().offDutyText, "Until next unlock.");
    h.at(3 * 3600);
    EXPECT_TRUE(h.state->mode().is(AppMode::Kind::offDuty));
    h.system.handlers.screenLocked();
    h.clock.advance(60);
    h.system.handlers.screenUnlocked();
    EXPECT_TRUE(h.state->mode().is(AppMode::Kind::offDuty));
    h.clock.advance(1);
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume);
    EXPECT_EQ(h.store.log(h.clock.now()).offDuty.size(), 1);
}

TEST(AppStateModesOwnSession, LockedFor25MinutesAsksAgainFor15DoesNot)
{
    for (int minutes : {15, 25}) {
        SessionHarness h;
        h.declare();
        h.at(600);
        h.system.handlers.screenLocked();
        h.at(600 + minutes * 60);
        h.system.handlers.screenUnlocked();
        h.clock.advance(1);
        if (minutes == 15) {
            EXPECT_EQ(h.state->mode(), AppMode::committed());
        } else {
            EXPECT_EQ(h.state->mode(), AppMode::gate());
            EXPECT_NEAR(h.gate.face().awaySeconds, 1501, 1);
        }
    }
}

TEST(AppStateModesOwnSession, AsleepAcrossTheStartOfQuietHours)
{
    SessionHarness h(march(2, 19, 55));
    h.declare();
    h.system.handlers.willSleep();
    // A suspended machine runs no timers: the wall clock jumps past 20:00.
    h.clock.jump(35 * 60);
    h.system.handlers.didWake();
    h.clock.advance(2);
    EXPECT_EQ(h.state->mode(), AppMode::quiet());
    EXPECT_FALSE(h.gate.isShowing());
}

TEST_F(AppStateModes, WakeOntoALockedScreenWaitsForTheUnlock)
{
    h.declare();
    h.system.handlers.screenLocked();
    h.system.handlers.willSleep();
    h.clock.jump(3600);
    h.witness.locked = true;
    h.system.handlers.didWake();
    h.clock.advance(2);
    EXPECT_EQ(h.state->mode(), AppMode::committed());
    h.witness.locked = false;
    h.system.handlers.screenUnlocked();
    h.clock.advance(1);
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume);
}

TEST_F(AppStateModes, OffDutyEndPassedDuringSleepEndsOnWake)
{
    h.state->boot();
    h.gate.callbacks().onOffDuty(30, "walk");
    h.system.handlers.willSleep();
    h.clock.jump(45 * 60); // the 30-minute timer has not fired: no time passed for it
    h.system.handlers.didWake();
    h.clock.advance(2);
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.store.log(h.clock.now()).offDuty.size(), 1);
}

TEST_F(AppStateModes, ClockSetBackNeitherStallsNorWritesBackwardsHours)
{
    h.declare();
    h.at(1800);
    const int before = h.witness.requests.size();
    h.clock.jump(-2 * 3600);
    h.clock.advance(3600 + 30);
    EXPECT_GT(h.witness.requests.size(), before + 15) << "captures go on at the cadence";
    h.clock.advance(3600);
    ASSERT_FALSE(h.judge.seen.isEmpty());
    h.judge.answer(judged(Verdict::aligned));
    const QList<HourRecord> hours = h.store.log(h.start).hours;
    ASSERT_FALSE(hours.isEmpty());
    for (const HourRecord &hour : hours)
        EXPECT_LE(hour.start, hour.end);
    h.strip->actions().onDone();
    ASSERT_EQ(h.judge.pending.size(), 1u);
    h.judge.answer(judged(Verdict::aligned)); // the partial period
    h.clock.advance(3);
    const QList<Thing> things = h.store.log(h.start).things;
    ASSERT_EQ(things.size(), 1);
    ASSERT_TRUE(things[0].closedAt.has_value());
    EXPECT_LE(things[0].declaredAt, *things[0].closedAt);
}

TEST_F(AppStateModes, ClockSetForwardJudgesOnceWithoutABurst)
{
    h.declare();
    h.at(600);
    const int before = h.witness.requests.size();
    h.clock.jump(5 * 3600);
    h.clock.advance(30);
    EXPECT_EQ(h.witness.requests.size(), before + 1);
    EXPECT_EQ(h.judge.seen.size(), 1);
}

TEST_F(AppStateModes, SummonTogglesTheStripAndTheJournalClosesIt)
{
    h.declare();
    h.hotKeys.handler();
    EXPECT_TRUE(h.strip_().expanded);
    EXPECT_EQ(h.strip->dismissAfter(), 12.0);
    h.tapDetector.handler();
    EXPECT_FALSE(h.strip_().expanded);
    h.hotKeys.handler();
    h.strip->actions().onJournal();
    EXPECT_EQ(h.journal.presented(), 1);
    EXPECT_FALSE(h.strip_().expanded) << "the strip would cover the journal's header";
    EXPECT_FALSE(h.strip->isVisible());
    h.state->showGateNow();
    h.hotKeys.handler();
    EXPECT_EQ(h.gate.calls().last(), "forward") << "a summon brings the showing gate forward";
}

TEST_F(AppStateModes, SomethingNewClosesAsSwitchedWithoutSummary)
{
    h.declare();
    h.state->showGateNow();
    h.gate.callbacks().onSomethingNew();
    const Thing thing = h.store.log(h.clock.now()).things[0];
    EXPECT_EQ(thing.outcome, Outcome::switched);
    EXPECT_EQ(thing.switchReason, SwitchReason::wrongThing);
    EXPECT_FALSE(h.strip_().doneSummary.has_value());
    EXPECT_EQ(h.gate.face(), GateFace::question());
}

TEST_F(AppStateModes, DayRowsAndStatistics)
{
    h.declare();
    EXPECT_EQ(h.strip_().dayThings.size(), 1);
    EXPECT_EQ(h.strip_().dayThings[0].span, "09:00\u2013now");
    EXPECT_FALSE(h.strip_().alignedPct.has_value());
    const Verdict script[] = {Verdict::aligned, Verdict::away, Verdict::drifting};
    for (int i = 0; i < 3; ++i) {
        for (int t = 0; t < 200 && h.judge.seen.size() <= i; ++t)
            h.clock.advance(30);
        h.judge.answer(judged(script[i]));
    }
    h.state->refreshDay();
    EXPECT_EQ(h.strip_().judgedHours, 3);
    EXPECT_EQ(h.strip_().alignedPct, 33);
    EXPECT_EQ(h.strip_().dayThings[0].state, DotState::amber);
}

// Simulated stretches of a committed day: captures, periods, verdicts, nudges.
#include "SolitaskCore/Formatters.h"
#include "session/SessionHarness.h"

#include <QFileInfo>
#include <gtest/gtest.h>

/// A session on Monday 2 March 2026, 09:00 UTC.
class AppStateWitness : public ::testing::Test
{
protected:
    SessionHarness h;
};

TEST_F(AppStateWitness, FirstFrameOnTheFirstTickThenOnTheCadence)
{
    h.declare();
    EXPECT_EQ(h.state->mode(), AppMode::committed());
    h.at(29.9);
    EXPECT_TRUE(h.witness.requests.isEmpty());
    h.at(30); // the restarted tick finds no capture yet
    ASSERT_EQ(h.witness.requests.size(), 1);
    h.at(90); // the 90-second first frame is not taken twice
    EXPECT_EQ(h.witness.requests.size(), 1);
    h.at(209);
    EXPECT_EQ(h.witness.requests.size(), 1);
    h.at(210);
    EXPECT_EQ(h.witness.requests.size(), 2);
    EXPECT_EQ(h.state->pendingFrames().size(), 2);
}

TEST_F(AppStateWitness, NothingIsCapturedInTheMinuteAfterAWake)
{
    h.state->boot();
    h.state->systemDidWake();
    h.gate.callbacks().onDeclare("Write", Until::untilDone());
    h.at(59);
    EXPECT_TRUE(h.witness.requests.isEmpty());
    h.at(60);
    EXPECT_EQ(h.witness.requests.size(), 1);
}

// A tick that reads the clock 5 s (capture) or 15 s (period) early still counts as due.
TEST(AppStateWitnessOwnSession, CaptureAt175SecondsAndPeriodAt3585Seconds)
{
    for (int late : {0, 1}) {
        {
            SessionHarness h;
            h.declare();
            h.at(179); // captured at 30 s
            h.clock.jump(24 + late); // the tick at 180 s reads 204 or 205 s
            h.clock.advance(1);
            EXPECT_EQ(h.witness.requests.size(), 1 + late);
        }
        SessionHarness h;
        h.declare();
        h.at(3569);
        h.clock.jump(14 + late); // the tick at 3570 s reads 3584 or 3585 s
        h.clock.advance(1);
        EXPECT_EQ(h.judge.seen.size(), late);
    }
}

TEST_F(AppStateWitness, QuietPeriodWithTwoUsableFramesCallsNoJudge)
{
    h.witness.steady = SkipReason::camera;
    h.witness.script = {std::nullopt, std::nullopt};
    h.declare();
    h.at(3600);
    EXPECT_TRUE(h.judge.seen.isEmpty());
    const auto hours = h.hours();
    ASSERT_EQ(hours.size(), 1);
    EXPECT_EQ(hours[0].status, HourStatus::quiet);
    EXPECT_EQ(hours[0].usableFrameCount(), 2);
    EXPECT_GT(hours[0].frames.size(), 2);
    EXPECT_EQ(h.strip_().pausedReason, "on a call");
    EXPECT_FALSE(hours[0].result.has_value());
}

TEST_F(AppStateWitness, VerdictColoursTheDotAndTwoAwayHoursInARowHoldTheNudge)
{
    Prefs::setValue(Prefs::Key::soundOnNudge, true);
    h.declare();
    ASSERT_TRUE(h.untilJudged(1));
    EXPECT_EQ(h.judge.seen[0].label, "hour");
    h.judge.answer(judged(Verdict::away));
    EXPECT_EQ(h.strip_().dot, DotState::amber);
    ASSERT_TRUE(h.strip_().nudge.has_value());
    EXPECT_FALSE(h.strip_().holdChoices);
    EXPECT_EQ(h.state->witnessStatus().kind, WitnessStatus::Kind::ready);
    h.clock.advance(20);
    EXPECT_FALSE(h.strip_().nudge.has_value()) << "a first away nudge clears after 20 s";

    ASSERT_TRUE(h.untilJudged(2));
    h.judge.answer(judged(Verdict::aligned));
    EXPECT_EQ(h.state->consecutiveAway(), 0);
    EXPECT_EQ(h.strip_().dot, DotState::sage);
    EXPECT_FALSE(h.strip_().nudge.has_value());
    EXPECT_EQ(h.sounds, 1) << "sound only for drifting or away";

    for (int n : {3, 4}) {
        ASSERT_TRUE(h.untilJudged(n));
        h.judge.answer(judged(Verdict::away));
    }
    EXPECT_EQ(h.state->consecutiveAway(), 2);
    EXPECT_TRUE(h.strip_().holdChoices);
    EXPECT_TRUE(h.strip->holdOpen());
    h.clock.advance(600);
    EXPECT_TRUE(h.strip_().nudge.has_value()) << "a held nudge has no clearing timer";
    h.strip->actions().onBackToIt();
    EXPECT_EQ(h.state->consecutiveAway(), 0);
    EXPECT_FALSE(h.strip_().nudge.has_value());
    EXPECT_FALSE(h.strip_().expanded);
}

TEST_F(AppStateWitness, JudgeFailureLeavesAnUnwitnessedHourAndGrayDot)
{
    h.declare();
    ASSERT_TRUE(h.untilJudged(1));
    h.judge.answer(JudgeFailure::cliNotFound());
    EXPECT_EQ(h.strip_().dot, DotState::gray);
    EXPECT_EQ(h.strip_().pausedReason, "Claude Code not found");
    EXPECT_EQ(h.state->witnessStatus(), WitnessStatus::missing());
    ASSERT_EQ(h.hours().size(), 1);
    EXPECT_EQ(h.hours()[0].status, HourStatus::unwitnessed);
    EXPECT_TRUE(h.hours()[0].error.has_value());
    ASSERT_TRUE(h.untilJudged(2));
    h.judge.answer(JudgeFailure::timeout());
    EXPECT_EQ(h.state->witnessStatus().kind, WitnessStatus::Kind::failing);
    EXPECT_EQ(h.strip_().pausedReason, "witness offline");
}

TEST_F(AppStateWitness, BusyJudgeLetsThePeriodGrow)
{
    h.judge.busy = true;
    h.declare();
    h.at(3 * 3600);
    EXPECT_TRUE(h.judge.seen.isEmpty());
    EXPECT_GT(h.state->pendingFrames().size(), 50);
    h.judge.busy = false;
    h.clock.advance(30);
    EXPECT_EQ(h.judge.seen.size(), 1);
    EXPECT_TRUE(h.state->pendingFrames().isEmpty());
}

TEST_F(AppStateWitness, DeadlineNudgesOnceOnTheFirstTickAtOrAfterIt)
{
    h.declare("Finish the pricing page", Until::hours(1));
    h.at(3599);
    EXPECT_FALSE(h.strip_().nudge.has_value());
    h.at(3600);
    EXPECT_EQ(h.strip_().nudge, "You said 1 h. Done, or keep going?");
    h.clock.advance(20);
    EXPECT_FALSE(h.strip_().nudge.has_value());
    h.at(3 * 3600);
    EXPECT_FALSE(h.strip_().nudge.has_value());
}

TEST_F(AppStateWitness, LateAnswerForAnOldSolitaskTouchesNothingNew)
{
    h.declare();
    const QString oldID = h.state->currentThing()->id;
    ASSERT_TRUE(h.untilJudged(1));
    h.state->showGateNow();
    h.gate.callbacks().onDeclare("Write the report", Until::untilDone());
    h.judge.answer(judged(Verdict::away));
    EXPECT_EQ(h.strip_().dot, DotState::clear);
    EXPECT_EQ(h.state->consecutiveAway(), 0);
    EXPECT_FALSE(h.strip_().nudge.has_value());
    EXPECT_FALSE(h.state->previousHour().has_value());
    const auto old = h.store.hours(oldID, h.start);
    ASSERT_EQ(old.size(), 1);
    EXPECT_EQ(old[0].status, HourStatus::judged);
}

TEST_F(AppStateWitness, LateAnswerAfterTheSolitaskClosedChangesNothingVisible)
{
    h.declare();
    ASSERT_TRUE(h.untilJudged(1));
    h.at(4200); // three more frames while the judge is busy
    h.strip->actions().onDone(); // closes at once, the new frames stored unjudged
    h.clock.advance(2.6);
    ASSERT_EQ(h.state->mode(), AppMode::gate());
    const int revision = h.state->revision();
    h.judge.answer(judged(Verdict::away));
    EXPECT_EQ(h.strip_().dot, DotState::clear);
    EXPECT_FALSE(h.strip_().nudge.has_value());
    EXPECT_EQ(h.state->consecutiveAway(), 0);
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.state->revision(), revision + 1) << "the hour is still stored";
    const DayLog log = h.store.log(h.clock.now());
    ASSERT_EQ(log.hours.size(), 2);
    EXPECT_EQ(log.hours[1].status, HourStatus::unwitnessed);
    EXPECT_GE(log.hours[1].usableFrameCount(), 3);
}

TEST_F(AppStateWitness, LateAnswerAfterTheSessionIsGoneDoesNothing)
{
    h.declare();
    ASSERT_TRUE(h.untilJudged(1));
    h.state.reset();
    h.judge.answer(judged(Verdict::aligned)); // must neither crash nor write
    EXPECT_EQ(h.clock.pendingTimers(), 0);
}

TEST_F(AppStateWitness, RetentionZeroDeletesFramesAfterThePeriod)
{
    Prefs::setValue(Prefs::Key::retentionHours, 0);
    h.declare();
    ASSERT_TRUE(h.untilJudged(1));
    EXPECT_TRUE(h.hours().isEmpty()) << "the hour is written when the judge answers";
    const QString first = QDir(h.witness.framesDir()).filePath("f1.jpg");
    EXPECT_TRUE(QFileInfo::exists(first));
    h.judge.answer(judged(Verdict::aligned));
    EXPECT_FALSE(QFileInfo::exists(first));
}

TEST_F(AppStateWitness, CorrectionOfThePreviousHourReachesTheNextRequest)
{
    h.declare();
    ASSERT_TRUE(h.untilJudged(1));
    h.judge.answer(judged(Verdict::away));
    const QString hourID = h.hours().last().id;
    const int revision = h.state->revision();
    h.state->correct(hourID, Correction::onTask);
    EXPECT_EQ(h.state->revision(), revision + 1);
    EXPECT_EQ(h.store.hour(hourID)->correction, Correction::onTask);
    EXPECT_EQ(h.strip_().hourDots.first().state, DotState::sage);
    ASSERT_TRUE(h.untilJudged(2));
    EXPECT_FALSE(h.judge.seen[0].input.contains("The person corrected it"));
    EXPECT_TRUE(
        h.judge.seen[1].input.contains("The person corrected it: that hour was actually on task"));
    ASSERT_TRUE(h.state->previousHour().has_value());
    EXPECT_EQ(h.state->previousHour()->correction, Correction::onTask);
}

TEST_F(AppStateWitness, FinishWithTwoUsableFramesClosesAtOnce)
{
    h.declare();
    h.at(300); // frames at 30 and 210 s
    ASSERT_EQ(h.state->pendingFrames().size(), 2);
    h.strip->actions().onDone();
    EXPECT_FALSE(h.state->currentThing().has_value());
    EXPECT_TRUE(h.judge.seen.isEmpty());
    ASSERT_TRUE(h.strip_().doneSummary.has_value());
    EXPECT_TRUE(h.strip->holdOpen());
    ASSERT_EQ(h.strip_().dayThings.size(), 1);
    EXPECT_FALSE(h.strip_().dayThings[0].span.endsWith("now"))
        << "the closed solitask shows its end";
    EXPECT_FALSE(h.strip_().dayThings[0].open);
    h.clock.advance(2.6);
    EXPECT_FALSE(h.strip_().doneSummary.has_value());
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.gate.face(), GateFace::question());
    const DayLog log = h.store.log(h.clock.now());
    ASSERT_EQ(log.things.size(), 1);
    EXPECT_EQ(log.things[0].outcome, Outcome::done);
    ASSERT_EQ(log.hours.size(), 1) << "the two frames stay in the record";
    EXPECT_EQ(log.hours[0].status, HourStatus::quiet);
    EXPECT_TRUE(log.hours[0].partial);
}

TEST_F(AppStateWitness, FinishWithThreeUsableFramesWrapsUpFirst)
{
    h.declare();
    h.at(400); // frames at 30, 210 and 390 s
    ASSERT_EQ(h.state->pendingFrames().size(), 3);
    h.strip->actions().onSwitch(SwitchReason::interrupted);
    EXPECT_EQ(h.strip_().busyText, "Wrapping up\u2026");
    EXPECT_FALSE(h.state->offersClose());
    ASSERT_EQ(h.judge.seen.size(), 1);
    EXPECT_EQ(h.judge.seen[0].label, "partial");
    h.judge.answer(judged(Verdict::mostly));
    EXPECT_FALSE(h.state->currentThing().has_value());
    EXPECT_FALSE(h.strip_().busyText.has_value());
    const DayLog log = h.store.log(h.clock.now());
    ASSERT_EQ(log.hours.size(), 1);
    EXPECT_TRUE(log.hours[0].partial);
    EXPECT_EQ(log.things[0].outcome, Outcome::switched);
    EXPECT_EQ(log.things[0].switchReason, SwitchReason::interrupted);
    EXPECT_EQ(h.state->mode(), AppMode::gate()) << "a switch shows no summary";
}

TEST_F(AppStateWitness, StripDetailsShowSixDotsAndTheMeter)
{
    h.declare();
    for (int i = 1; i <= 9; ++i) {
        ASSERT_TRUE(h.untilJudged(i));
        h.meter.switches = 1;
        h.judge.answer(judged(Verdict::aligned, 3));
    }
    h.clock.advance(30);
    const auto &dots = h.strip_().hourDots;
    ASSERT_EQ(dots.size(), 6);
    EXPECT_EQ(dots.last().id, "pending");
    EXPECT_EQ(dots.last().label,
        Formatters::hm(h.state->lastJudgeAt().addSecs(3600), h.store.calendar()));
    EXPECT_EQ(dots.first().state, DotState::sage);
    h.meter.switches = 1;
    h.state->refreshStripDetails();
    EXPECT_EQ(h.strip_().meterText, "1 switch \u00B7 3 threads");
    EXPECT_EQ(h.strip_().untilText, Until::untilDone().label(h.store.calendar()));
}

TEST_F(AppStateWitness, GlyphIsFilledOnlyWhileCommittedWithPermission)
{
    const QString hollow = "\u25CB";
    h.state->boot();
    EXPECT_EQ(h.glyphs.last(), hollow);
    h.gate.callbacks().onDeclare("Write", Until::untilDone());
    EXPECT_EQ(h.glyphs.last(), "\u25CF");
    h.witness.permitted = false;
    h.at(90);
    EXPECT_EQ(h.glyphs.last(), hollow);
    h.witness.permitted = true;
    h.state->goOffDuty(30, "break");
    EXPECT_EQ(h.glyphs.last(), hollow);

    SessionHarness quiet(march(2, 21, 0));
    quiet.state->boot();
    EXPECT_EQ(quiet.glyphs.last(), hollow);
    SessionHarness first;
    Prefs::setValue(Prefs::Key::onboardingDone, false);
    first.state->boot();
    first.state->settingsChanged();
    EXPECT_EQ(first.glyphs.last(), hollow);
}

TEST_F(AppStateWitness, OddPreferencesAreClamped)
{
    Prefs::setValue(Prefs::Key::cadenceMinutes, 0);
    Prefs::setValue(Prefs::Key::frameWidth, 100);
    Prefs::setValue(Prefs::Key::privateBundleIDs, 42);
    h.declare();
    h.at(150); // a 1-minute cadence less 5 s slack: 30, 90 and 150 s
    ASSERT_EQ(h.witness.requests.size(), 3);
    EXPECT_EQ(h.witness.requests[0].width, 320);
    EXPECT_EQ(h.witness.requests[0].privateBundleIDs, Prefs::defaultPrivateBundleIDs());
}

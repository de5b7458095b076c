// What the person did reaches the record: restarts resume from disk, and a
// close waiting for its judgment never overturns what was chosen since.
#include "session/SessionHarness.h"

#include <gtest/gtest.h>

namespace {

/// Declares at 09:00 and lets three frames be taken (30, 210 and 390 s).
void declareWithThreeFrames(SessionHarness &h)
{
    h.declare("Pricing page");
    h.at(400);
    ASSERT_EQ(h.state->pendingFrames().size(), 3);
}

const Thing &thingNamed(const DayLog &log, const QString &text)
{
    static const Thing none;
    for (const Thing &thing : log.things)
        if (thing.text == text)
            return thing;
    return none;
}

int openThings(const DayLog &log)
{
    return int(std::count_if(
        log.things.begin(), log.things.end(), [](const Thing &t) { return t.isOpen(); }));
}

} // namespace

TEST(AppStateRecord, RestartResumesThePeriodAndCountsAwayFromItsLastFrame)
{
    struct Case
    {
        double downSeconds;
        bool resumesSilently;
    };
    for (const Case c : {Case {5, true}, Case {25 * 60, false}}) {
        SessionHarness h;
        declareWithThreeFrames(h);
        h.relaunch(c.downSeconds);
        EXPECT_EQ(h.state->pendingFrames().size(), 3) << c.downSeconds;
        if (c.resumesSilently) {
            EXPECT_EQ(h.state->mode(), AppMode::committed());
        } else {
            EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume);
            EXPECT_EQ(h.gate.face().awaySeconds, 400 + c.downSeconds - 390);
            h.gate.callbacks().onResume();
        }
        h.strip->actions().onDone();
        h.judge.answer(judged(Verdict::aligned));
        const DayLog log = h.store.log(h.clock.now());
        ASSERT_EQ(log.hours.size(), 1);
        EXPECT_EQ(log.hours[0].frames.size(), 3);
        EXPECT_EQ(log.hours[0].start, h.start);
    }
}

TEST(AppStateRecord, PeriodsTheJudgeNeverAnsweredAreStoredAfterARestart)
{
    SessionHarness h;
    declareWithThreeFrames(h);
    h.strip->actions().onDone(); // the partial period goes to the judge
    ASSERT_EQ(h.judge.pending.size(), 1);
    h.relaunch(5); // quit, TERM or KILL: the answer never comes
    const DayLog log = h.store.log(h.clock.now());
    ASSERT_EQ(log.hours.size(), 1);
    EXPECT_EQ(log.hours[0].status, HourStatus::unwitnessed);
    EXPECT_EQ(log.hours[0].frames.size(), 3);
    EXPECT_EQ(log.things[0].outcome, Outcome::done);
    EXPECT_EQ(log.things[0].closedAt, h.start.addSecs(400)) << "closed when the person chose";
    EXPECT_EQ(h.gate.face(), GateFace::question());
    h.relaunch(5);
    EXPECT_EQ(h.store.log(h.clock.now()).hours.size(), 1) << "stored once";
}

TEST(AppStateRecord, OffDutySurvivesARestartAndIsRecordedOnce)
{
    for (const double downMinutes : {10.0, 90.0}) {
        SessionHarness h;
        h.state->boot();
        h.gate.callbacks().onOffDuty(60, "lunch");
        h.relaunch(downMinutes * 60);
        if (downMinutes < 60) {
            EXPECT_EQ(h.state->mode(), AppMode::offDuty(h.start.addSecs(3600)));
            EXPECT_FALSE(h.gate.isShowing());
            h.at(3600);
        }
        const DayLog log = h.store.log(h.clock.now());
        ASSERT_EQ(log.offDuty.size(), 1) << downMinutes;
        EXPECT_EQ(log.offDuty[0], (OffDutyRecord {h.start, h.start.addSecs(3600), "lunch"}));
        EXPECT_EQ(h.gate.face(), GateFace::question());
        h.relaunch(5);
        EXPECT_EQ(h.store.log(h.clock.now()).offDuty.size(), 1);
    }
}

// Done or Switch while the judge still looks at the partial period, then
// something else: the late answer adds its hour and nothing more.
TEST(AppStateRecord, OverlappingActionsWhileWrappingUp)
{
    enum class Then { declare, offDuty, secondClose, quit };
    for (const Outcome first : {Outcome::done, Outcome::switched}) {
        for (const Then then : {Then::declare, Then::offDuty, Then::secondClose, Then::quit}) {
            SessionHarness h;
            declareWithThreeFrames(h);
            const QDateTime chosenAt = h.clock.now();
            if (first == Outcome::done)
                h.strip->actions().onDone();
            else
                h.strip->actions().onSwitch(SwitchReason::wrongThing);
            EXPECT_EQ(h.strip_().busyText, "Wrapping up\u2026");
            EXPECT_FALSE(h.strip_().closeOffered);
            h.clock.advance(10);
            h.strip->actions().onDone();
            h.strip->actions().onSwitch(SwitchReason::interrupted);
            EXPECT_EQ(h.judge.seen.size(), 1) << "a second close is ignored";
            if (then == Then::declare) {
                h.state->showGateNow();
                h.gate.callbacks().onDeclare("Report", Until::untilDone());
            } else if (then == Then::offDuty) {
                h.strip->actions().onOffDuty(60, "lunch");
            } else if (then == Then::quit) {
                h.relaunch(5);
            }
            const QStringList gateCalls = h.gate.calls();
            if (then != Then::quit)
                h.judge.answer(judged(Verdict::aligned));
            h.clock.advance(3);
            const DayLog log = h.store.log(h.clock.now());
            const Thing &closed = thingNamed(log, "Pricing page");
            EXPECT_EQ(closed.outcome, first);
            EXPECT_EQ(closed.switchReason,
                first == Outcome::done ? std::nullopt : std::optional(SwitchReason::wrongThing));
            EXPECT_EQ(closed.closedAt, chosenAt);
            ASSERT_EQ(log.hours.size(), 1);
            EXPECT_TRUE(log.hours[0].partial);
            EXPECT_LE(openThings(log), 1);
            switch (then) {
            case Then::declare:
                EXPECT_EQ(h.state->mode(), AppMode::committed());
                EXPECT_EQ(h.gate.calls(), gateCalls) << "no gate over the new solitask";
                h.clock.advance(30);
                EXPECT_EQ(h.state->pendingFrames().size(), 1) << "the new solitask is witnessed";
                break;
            case Then::offDuty:
                EXPECT_EQ(h.gate.calls(), gateCalls);
                h.clock.advance(3600);
                EXPECT_EQ(h.store.log(h.clock.now()).offDuty.size(), 1);
                EXPECT_EQ(h.gate.face(), GateFace::question());
                break;
            case Then::secondClose:
                EXPECT_EQ(h.gate.face(), GateFace::question());
                EXPECT_EQ(h.gate.calls().mid(gateCalls.size()).count("show question"), 1)
                    << "the summary and the gate come once";
                break;
            case Then::quit:
                EXPECT_EQ(log.hours[0].status, HourStatus::unwitnessed);
                break;
            }
        }
    }
}

TEST(AppStateRecord, DeclaringWhileAnotherIsOpenClosesItAsSwitched)
{
    SessionHarness h(march(2, 20, 30)); // quiet hours: the open solitask is kept
    Thing kept {"T1", "Old", march(2, 19, 0), Until::untilDone(), {}, {}, {}};
    h.store.upsertThing(kept);
    h.state->boot();
    ASSERT_EQ(h.state->mode(), AppMode::quiet());
    h.state->showGateNow();
    h.gate.callbacks().onDeclare("Night fix", Until::untilDone());
    const DayLog log = h.store.log(h.clock.now());
    EXPECT_EQ(openThings(log), 1);
    EXPECT_EQ(thingNamed(log, "Old").outcome, Outcome::switched);
    EXPECT_EQ(thingNamed(log, "Old").closedAt, march(2, 20, 30));
}

TEST(AppStateRecord, QuietHoursChangeAndOnboardingEndApplyAtOnce)
{
    {
        SessionHarness h(march(2, 21, 0));
        h.state->boot();
        ASSERT_EQ(h.state->mode(), AppMode::quiet());
        Prefs::setValue(Prefs::Key::quietStartMinutes, 22 * 60);
        h.state->settingsChanged();
        EXPECT_EQ(h.state->mode(), AppMode::gate());
        EXPECT_EQ(h.gate.face(), GateFace::question());
        Prefs::setValue(Prefs::Key::quietStartMinutes, 20 * 60);
        h.state->settingsChanged();
        EXPECT_EQ(h.state->mode(), AppMode::quiet());
    }
    SessionHarness first(march(2, 21, 0));
    Prefs::setValue(Prefs::Key::onboardingDone, false);
    first.state->boot();
    Prefs::setValue(Prefs::Key::onboardingDone, true);
    first.state->finishOnboarding();
    EXPECT_EQ(first.state->mode(), AppMode::quiet());
    EXPECT_TRUE(first.strip_().expanded) << "the strip says the question waits";
    EXPECT_EQ(first.strip_().face, StripFace::quiet);
}

TEST(AppStateRecord, ClosedResumeWindowLeavesStripAndMenuAgreeing)
{
    SessionHarness h;
    declareWithThreeFrames(h);
    h.relaunch(30 * 60);
    ASSERT_EQ(h.gate.face().kind, GateFace::Kind::resume);
    h.gate.hide();
    h.gate.callbacks().onAskWindowClosed();
    EXPECT_EQ(h.state->mode(), AppMode::gate());
    EXPECT_EQ(h.strip_().face, StripFace::committed);
    EXPECT_EQ(h.strip_().text, "Pricing page");
    EXPECT_TRUE(h.strip_().declareOffered);
    EXPECT_EQ(h.strip_().closeOffered, h.state->offersClose());
    EXPECT_TRUE(h.state->offersClose());
    h.strip->actions().onDeclare();
    EXPECT_EQ(h.gate.face().kind, GateFace::Kind::resume) << "the open solitask is offered again";
}

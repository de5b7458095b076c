#include "Solitask/journal/DF.h"
#include "Solitask/journal/FrameJudgments.h"
#include "Solitask/journal/PracticeTexts.h"
#include "Solitask/journal/TodayEntry.h"
#include "Solitask/journal/TodayTexts.h"
#include "Solitask/settings/SettingsRules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const Calendar utc {QTimeZone::utc()};

QDateTime at(int day, int h, int m)
{
    return QDateTime(QDate(2026, 3, day), QTime(h, m), QTimeZone::utc());
}

FrameMeta frame(const QDateTime &time, bool usable = true)
{
    FrameMeta f {"f", time, "Docs", "docs", "Plan", std::nullopt, "a.jpg"};
    if (!usable) {
        f.skipped = SkipReason::idle;
        f.file.reset();
    }
    return f;
}

HourRecord hourEnding(const QDateTime &end, int frames, bool usable = true)
{
    HourRecord h;
    h.id = "h1";
    h.start = end.addSecs(-3600);
    h.end = end;
    for (int i = 0; i < frames; ++i)
        h.frames.append(frame(h.start.addSecs(180 * (i + 1)), usable));
    return h;
}
} // namespace

TEST(TodayTexts, SummaryCountsThingsAndAlignedShare)
{
    DayStats stats;
    EXPECT_EQ(TodayTexts::summary(stats), "0 things · no judged hours yet");
    stats.declaredThings = stats.judgedHours = 1;
    EXPECT_EQ(TodayTexts::summary(stats), "1 thing · 1 judged hour · 0% aligned");
    stats.judgedHours = 5;
    stats.alignedHours = 3;
    EXPECT_EQ(TodayTexts::summary(stats), "1 thing · 5 judged hours · 60% aligned");
}

TEST(TodayTexts, OpenThingSpansToNowAndIsPendingAnHourAfterItsLastHour)
{
    Thing thing {"t", "Plan", at(2, 9, 10), Until::untilDone(), {}, {}, {}};
    EXPECT_EQ(TodayTexts::span(thing, at(2, 10, 15), utc), "09:10 – now · 1 h 05 m");
    EXPECT_EQ(TodayTexts::outcome(thing), "");
    EXPECT_EQ(TodayTexts::pending(thing, {}, utc), "10:10 pending");
    EXPECT_EQ(TodayTexts::pending(thing, {hourEnding(at(2, 10, 40), 1)}, utc), "11:40 pending");
    thing.closedAt = at(2, 9, 50);
    thing.outcome = Outcome::switched;
    thing.switchReason = SwitchReason::wrongThing;
    EXPECT_EQ(TodayTexts::span(thing, at(2, 23, 0), utc), "09:10 – 09:50 · 40 m");
    EXPECT_EQ(TodayTexts::outcome(thing), "Switched · wrong thing");
    thing.declaredAt = at(1, 23, 30); // across midnight: the whole duration
    thing.closedAt = at(2, 1, 0);
    EXPECT_EQ(TodayTexts::span(thing, at(2, 2, 0), utc), "23:30 – 01:00 · 1 h 30 m");
}

TEST(TodayTexts, SentenceFallsBackFromNudgeToVerdictToError)
{
    HourRecord hour = hourEnding(at(2, 10, 0), 0);
    EXPECT_EQ(TodayTexts::sentence(hour), "No verdict this hour.");
    hour.error = "The witness timed out.";
    EXPECT_EQ(TodayTexts::sentence(hour), "The witness timed out.");
    hour.result = JudgeResult {Verdict::mostly, {}, {}, Switching::low, {}, 0.8};
    EXPECT_EQ(TodayTexts::sentence(hour), "Mostly");
    hour.result->nudge = "Back to it.";
    EXPECT_EQ(TodayTexts::sentence(hour), "Back to it.");
}

TEST(TodayTexts, SawCaptionTellsHowLongFramesAreKept)
{
    const HourRecord hour = hourEnding(at(2, 10, 0), 6);
    const QString base = "What the witness saw · six frames";
    EXPECT_EQ(
        TodayTexts::sawCaption(hour, at(2, 11, 0), 24, utc), base + " · kept until 10:00 tomorrow");
    EXPECT_EQ(TodayTexts::sawCaption(hour, at(3, 9, 59), 24, utc), base + " · kept until 10:00");
    EXPECT_EQ(TodayTexts::sawCaption(hour, at(3, 10, 1), 24, utc), base + " · no longer kept");
    EXPECT_EQ(TodayTexts::sawCaption(hour, at(2, 11, 0), 0, utc), base + " · not kept");
    EXPECT_EQ(TodayTexts::sawCaption(hour, at(2, 11, 0), 168, utc, QLocale(QLocale::English)),
        base + " · kept until Mar 9, 10:00");
    EXPECT_EQ(TodayTexts::sawCaption(hourEnding(at(2, 10, 0), 1, false), at(2, 11, 0), 24, utc),
        "What the witness saw · one frame · nothing kept");
    EXPECT_EQ(TodayTexts::sawCaption(hourEnding(at(2, 10, 0), 13), at(2, 11, 0), 24, utc).left(38),
        "What the witness saw · 13 frames · kep");
}

TEST(TodayEntry, BandBeforeALaterThingAndIdentities)
{
    DayLog log = DayLog::empty("2026-03-02");
    log.things.append({"abc", "Plan", at(2, 9, 10), Until::untilDone(), {}, {}, {}});
    log.offDuty.append({at(2, 8, 30), at(2, 9, 0), "30m"});
    const QList<TodayEntry> entries = TodayEntry::of(log);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].offDuty());
    EXPECT_EQ(entries[0].identity(), "off-" + QString::number(at(2, 8, 30).toSecsSinceEpoch()));
    EXPECT_EQ(entries[1].identity(), "thing-abc");
}

TEST(DF, NumberWordsUpToTwelveAndModelNamesFromTheirIds)
{
    EXPECT_EQ(DF::numberWord(12), "twelve");
    EXPECT_EQ(DF::numberWord(13), "13");
    EXPECT_EQ(DF::numberWord(-1), "-1");
    EXPECT_EQ(DF::modelName("claude-sonnet-5-20260101"), "Sonnet 5");
    EXPECT_EQ(DF::modelName("claude-haiku-4-5"), "Haiku 4.5");
    EXPECT_EQ(DF::modelName("CLI default"), "CLI default");
}

TEST(FrameJudgments, PairByIndexWhenCountsMatchElseByFirstTime)
{
    HourRecord hour = hourEnding(at(2, 10, 0), 2); // frames at 09:03 and 09:06
    EXPECT_FALSE(frameJudgment(hour, hour.frames[0], 0, utc));
    hour.result = JudgeResult {};
    hour.result->frames = {{"08:00", "a", Relation::on}, {"08:01", "b", Relation::off}};
    EXPECT_EQ(
        frameJudgment(hour, hour.frames[1], 1, utc)->label, "b"); // times differ, counts match
    hour.result->frames = {{"09:06", "first", Relation::on}, {"09:06", "second", Relation::off},
        {"09:09", "x", Relation::adjacent}};
    EXPECT_EQ(frameJudgment(hour, hour.frames[1], 1, utc)->label, "first");
    EXPECT_FALSE(frameJudgment(hour, hour.frames[0], 0, utc));
    hour.result->frames.resize(1); // shorter than the frames
    EXPECT_FALSE(frameJudgment(hour, hour.frames[0], 0, utc));
    EXPECT_EQ(frameJudgment(hour, hour.frames[1], 1, utc)->label, "first");
}

TEST(PracticeTexts, TilesWithoutAPreviousWeekAndLongestStretchTies)
{
    WeekStats week;
    EXPECT_EQ(PracticeTexts::focusValue(week), "—");
    EXPECT_EQ(PracticeTexts::longestStretchDay(week, utc), "no aligned run yet");
    EXPECT_EQ(PracticeTexts::focusSub(WeekStats {}), "no week before");
    WeekStats previous;
    previous.focusScore = 63.5;
    EXPECT_EQ(PracticeTexts::focusSub(previous), "last week 64");
    week.longestStretch = 3;
    for (const auto &[date, stretch] :
        {std::pair {"2026-03-02", 1}, {"2026-03-03", 3}, {"2026-03-04", 3}}) {
        week.days.append(DayStats {});
        week.days.last().date = date;
        week.days.last().longestStretch = stretch;
    }
    EXPECT_EQ(PracticeTexts::longestStretchDay(week, utc, QLocale(QLocale::English)), "on Tue")
        << "the first day of a tie";
    week.days[1].date = "not a day";
    EXPECT_EQ(PracticeTexts::longestStretchDay(week, utc), "no aligned run yet");
}

TEST(SettingsRules, NearestChoiceAndBudgetClamp)
{
    using namespace SettingsRules;
    EXPECT_EQ(nearestChoice(30, retentionChoices), 24);
    EXPECT_EQ(nearestChoice(100, retentionChoices), 168);
    EXPECT_EQ(nearestChoice(12, retentionChoices), 0); // equally near 0 and 24: the first
    EXPECT_EQ(nearestChoice(-5, retentionChoices), 0);
    EXPECT_EQ(nearestChoice(7, {}), 24);
    EXPECT_EQ(budgetText(clampedBudget(0.0)), "$0.10");
    EXPECT_EQ(budgetText(clampedBudget(std::nan(""))), "$0.10");
    EXPECT_EQ(budgetText(clampedBudget(0.404)), "$0.40");
}

#include "SolitaskCore/Practice.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace {

QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

Calendar zone(const char *id)
{
    return Calendar(QTimeZone(QByteArray(id)));
}

// A judged hour whose frames carry the given relations; the stored verdict is
// set separately, as normalisation would have done.
// A judged hour starting `hour` hours after Monday 2 March 2026 00:00 UTC.
HourRecord judged(int hour, Verdict verdict, QList<Relation> relations = {Relation::on},
    int threads = 1, qint64 switches = 0)
{
    HourRecord record;
    record.id = QString::number(hour);
    record.start = utc("2026-03-02T00:00:00Z").addSecs(hour * 3600);
    record.end = record.start.addSecs(3600);
    record.status = HourStatus::judged;
    record.switches = switches;
    JudgeResult result;
    result.verdict = verdict;
    for (Relation relation : relations)
        result.frames.append({"09:00", "x", relation});
    for (int i = 0; i < threads; ++i)
        result.threads.append(QStringLiteral("thread %1").arg(i));
    record.result = result;
    return record;
}

HourRecord corrected(HourRecord hour, Correction correction)
{
    hour.correction = correction;
    return hour;
}

HourRecord withStatus(HourRecord hour, HourStatus status)
{
    hour.status = status;
    return hour;
}

DayLog day(const char *key, QList<HourRecord> hours)
{
    DayLog log = DayLog::empty(QString::fromLatin1(key));
    log.hours = std::move(hours);
    return log;
}

Thing thing(std::optional<Outcome> outcome)
{
    Thing t;
    t.id = "T";
    t.outcome = outcome;
    return t;
}

WeekStats week(int judgedHours, std::optional<double> focus, std::optional<double> threads = 2.0,
    int stretch = 0)
{
    WeekStats stats;
    stats.judgedHours = judgedHours;
    stats.focusScore = focus;
    stats.threadsPerHour = threads;
    stats.longestStretch = stretch;
    return stats;
}

QList<WeekStats> trailingWith(QList<std::optional<double>> scores)
{
    QList<WeekStats> weeks;
    for (const auto &score : scores)
        weeks.append(week(1, score));
    return weeks;
}

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QDateTime march2 = utc("2026-03-02T00:00:00Z");

QString reflect(const WeekStats &w, const QList<WeekStats> &trailing)
{
    return Practice::reflection(w, trailing, march2, zone("UTC"), english);
}

} // namespace

TEST(PracticeHourValue, FramesValuedByRelationCorrectionsOverrideAndSilentHoursHaveNone)
{
    const int at = 8;
    const HourRecord mixed = judged(at, Verdict::mostly,
        {Relation::on, Relation::skipped, Relation::on, Relation::adjacent, Relation::off});
    const HourRecord offHour = judged(at, Verdict::away, {Relation::off});
    const HourRecord onHour = judged(at, Verdict::aligned, {Relation::on});
    HourRecord noResult = onHour;
    noResult.result.reset();
    const struct
    {
        const char *name;
        HourRecord hour;
        std::optional<double> value;
    } cases[] = {
        {"skipped frames left out", mixed, 0.6875},
        {"on task by correction", corrected(offHour, Correction::onTask), 1.0},
        {"different thing by correction", corrected(onHour, Correction::differentThing), 0.0},
        {"away by correction", corrected(onHour, Correction::away), std::nullopt},
        {"quiet", withStatus(onHour, HourStatus::quiet), std::nullopt},
        {"unwitnessed", withStatus(onHour, HourStatus::unwitnessed), std::nullopt},
        {"no result", noResult, std::nullopt},
        {"no result, corrected", corrected(noResult, Correction::onTask), std::nullopt},
        {"only skipped frames",
            judged(at, Verdict::unclear, {Relation::skipped, Relation::skipped}), std::nullopt},
        {"no frames", judged(at, Verdict::unclear, {}), std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Practice::hourValue(c.hour), c.value) << c.name;
    EXPECT_TRUE(mixed.countsAsAligned()) << "value and alignment are independent";
}

TEST(PracticeDayStats, MeansRunOverValuedHoursOnly)
{
    const DayStats stats = Practice::stats(day("2026-03-02",
        {judged(8, Verdict::aligned, {Relation::on}, 1, 4),
            judged(9, Verdict::drifting, {Relation::on, Relation::off}, 4, 10),
            corrected(judged(10, Verdict::aligned, {Relation::on}, 7, 99), Correction::away)}));
    EXPECT_EQ(stats.judgedHours, 2);
    EXPECT_DOUBLE_EQ(*stats.focusScore, 75.0);
    EXPECT_DOUBLE_EQ(*stats.threadsPerHour, 2.5);
    EXPECT_DOUBLE_EQ(*stats.appSwitchesPerHour, 7.0);
    EXPECT_EQ(stats.alignedHours, 1);
    const DayStats quiet = Practice::stats(
        day("2026-03-02", {withStatus(judged(8, Verdict::aligned), HourStatus::quiet)}));
    EXPECT_EQ(quiet.judgedHours + quiet.longestStretch + quiet.alignedHours, 0);
    EXPECT_FALSE(quiet.focusScore || quiet.threadsPerHour || quiet.appSwitchesPerHour);
}

TEST(PracticeDayStats, ThingsCountDeclarationsAndSwitches)
{
    DayLog log = DayLog::empty("2026-03-02");
    log.things = {thing(Outcome::switched), thing(Outcome::done), thing(std::nullopt),
        thing(Outcome::switched)};
    const DayStats stats = Practice::stats(log);
    EXPECT_EQ(stats.declaredThings, 4);
    EXPECT_EQ(stats.switchesPerDay, 2);
}

const HourRecord a8 = judged(8, Verdict::aligned);
const HourRecord a9 = judged(9, Verdict::mostly);
const HourRecord a10 = judged(10, Verdict::aligned);
const HourRecord a11 = judged(11, Verdict::aligned);

TEST(PracticeStretch, LongestRunOfAlignedHours)
{
    struct Case
    {
        const char *name;
        QList<HourRecord> hours;
        int longest;
        int aligned;
    };
    const Case cases[] = {
        {"UnclearWithValueResets", {a8, a9, judged(10, Verdict::unclear, {Relation::on}), a11}, 2,
            3},
        {"QuietHourIsPassedOver", {a8, withStatus(a9, HourStatus::quiet), a10}, 2, 2},
        {"CorrectedAwayNeitherCountsNorBreaks", {a8, corrected(a9, Correction::away), a10, a11}, 3,
            3},
        {"CorrectedDifferentThingBreaks", {a8, corrected(a9, Correction::differentThing), a10}, 1,
            2},
        {"CorrectedOnTaskExtends",
            {a8, corrected(judged(9, Verdict::away, {Relation::off}), Correction::onTask), a10}, 3,
            3},
        {"EvaluatedInStartOrder", {a8, judged(11, Verdict::away, {Relation::off}), a9, a10}, 3, 3},
        {"NoAlignedHour", {judged(8, Verdict::drifting, {Relation::off})}, 0, 0},
    };
    for (const Case &c : cases) {
        const DayStats stats = Practice::stats(day("2026-03-02", c.hours));
        EXPECT_EQ(stats.longestStretch, c.longest) << c.name;
        EXPECT_EQ(stats.alignedHours, c.aligned) << c.name;
    }
}

TEST(PracticeWeekStats, FiguresAreWeightedByJudgedHours)
{
    // Day one: 2 hours at 80 with 1 thread; day two: 6 hours at 50 with 3 threads.
    const QList<Relation> eighty
        = {Relation::on, Relation::on, Relation::on, Relation::on, Relation::off};
    const QList<Relation> fifty = {Relation::on, Relation::off};
    QList<HourRecord> mon, tue;
    for (int h = 0; h < 2; ++h)
        mon.append(judged(8, Verdict::mostly, eighty, 1));
    for (int h = 0; h < 6; ++h)
        tue.append(judged(32, Verdict::drifting, fifty, 3));
    const WeekStats stats
        = Practice::weekStats({day("2026-03-02", mon), day("2026-03-03", tue)}, "2026-03-02");
    EXPECT_EQ(stats.weekStart, "2026-03-02");
    EXPECT_EQ(stats.judgedHours, 8);
    EXPECT_DOUBLE_EQ(*stats.focusScore, 57.5);
    EXPECT_DOUBLE_EQ(*stats.threadsPerHour, 2.5);
    EXPECT_EQ(stats.longestStretch, 2);
    ASSERT_EQ(stats.days.size(), 2);
    EXPECT_EQ(stats.days[1].date, "2026-03-03");
}

TEST(PracticeWeekStats, RunsDoNotContinueAcrossMidnight)
{
    const WeekStats stats = Practice::weekStats(
        {day("2026-03-02", {judged(22, Verdict::aligned), judged(23, Verdict::aligned)}),
            day("2026-03-03", {judged(24, Verdict::aligned)})},
        "2026-03-02");
    EXPECT_EQ(stats.longestStretch, 2);
}

TEST(PracticeWeekStats, SwitchesAreAveragedOverDaysWithDeclarations)
{
    DayLog busy = DayLog::empty("2026-03-02");
    busy.things = {thing(Outcome::switched), thing(Outcome::switched), thing(Outcome::switched)};
    DayLog calm = DayLog::empty("2026-03-03");
    calm.things = {thing(Outcome::done)};
    const DayLog empty = DayLog::empty("2026-03-04");

    EXPECT_DOUBLE_EQ(Practice::weekStats({busy, calm, empty}, {}).switchesPerDay, 1.5);
    EXPECT_DOUBLE_EQ(Practice::weekStats({empty, empty}, {}).switchesPerDay, 0.0);
}

TEST(PracticeTrend, EightPointsFromTheTrailingMeanOnceThereAreFifteenHours)
{
    const QList<WeekStats> trailing = trailingWith({50.0});
    EXPECT_EQ(Practice::trend(week(15, 70.0), trailing), Trend::better);
    EXPECT_EQ(Practice::trend(week(14, 70.0), trailing), Trend::notEnough);
    EXPECT_EQ(Practice::trend(week(40, std::nullopt), trailing), Trend::notEnough);
    EXPECT_EQ(Practice::trend(week(40, 70.0), {}), Trend::notEnough);
    EXPECT_EQ(Practice::trend(week(40, 70.0), trailingWith({std::nullopt})), Trend::notEnough);
    const QList<WeekStats> two = trailingWith({60.0, 68.0}); // mean 64
    EXPECT_EQ(Practice::trend(week(20, 72.0), two), Trend::better);
    EXPECT_EQ(Practice::trend(week(20, 71.99), two), Trend::holding);
    EXPECT_EQ(Practice::trend(week(20, 56.01), two), Trend::holding);
    EXPECT_EQ(Practice::trend(week(20, 56.0), two), Trend::slipping);
    // Trailing weeks weigh the same whatever their hours.
    const QList<WeekStats> mixed = {week(1, 40.0), week(40, 80.0), week(3, std::nullopt)};
    EXPECT_EQ(Practice::trend(week(20, 60.0), mixed), Trend::holding);
    EXPECT_EQ(Practice::trend(week(20, 68.0), mixed), Trend::better);
}

TEST(PracticeReflection, Sentences)
{
    QList<WeekStats> seven;
    for (double score : {61.0, 55.0, 67.0, 61.0, 60.0, 62.0, 61.0})
        seven.append(week(3, score));
    seven.append(week(0, std::nullopt));
    struct Case
    {
        WeekStats week;
        QList<WeekStats> trailing;
        const char *expected;
    };
    const Case cases[] = {
        {week(0, std::nullopt), {}, "Week of Mar 2: no judged hours yet."},
        {week(18, 72.4, 2.34, 4), seven,
            "Week of Mar 2: 72% aligned across 18 judged hours, 2.3 threads/hour, longest stretch "
            "4 h — better than your last 7 weeks (61%)."},
        {week(1, 100.0, 1.0, 1), trailingWith({90.0}),
            "Week of Mar 2: 100% aligned across 1 judged hour, 1.0 threads/hour, longest stretch "
            "1 h."},
        {week(16, 90.0, 1.0, 1), trailingWith({88.0}),
            "Week of Mar 2: 90% aligned across 16 judged hours, 1.0 threads/hour, longest stretch "
            "1 h — holding against your last week (88%)."},
        {week(6, 55.0, std::nullopt, 0), {}, "Week of Mar 2: 55% aligned across 6 judged hours."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(reflect(c.week, c.trailing), QString::fromUtf8(c.expected));
}

// Week boundaries across daylight saving are the store's and the calendar's to show.
TEST(PracticeWeekStart, MondayMidnightOfTheLocalWeek)
{
    // Monday 00:00 in Berlin is its own week start, and still Sunday in New York.
    const QDateTime monday = utc("2026-03-01T23:00:00Z");
    EXPECT_EQ(Practice::weekStart(monday, zone("Europe/Berlin")), monday);
    EXPECT_EQ(Practice::weekStart(monday, zone("America/New_York")), utc("2026-02-23T05:00:00Z"));
    EXPECT_FALSE(Practice::weekStart(QDateTime(), zone("UTC")).isValid());
    // The reflection reads its date on the same calendar.
    EXPECT_TRUE(
        Practice::reflection(week(0, std::nullopt), {}, monday, zone("Europe/Berlin"), english)
            .startsWith("Week of Mar 2:"));
}

#include "SolitaskCore/DayRecords.h"
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Formatters.h"

#include <gtest/gtest.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));

QDateTime utc(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
}

HourRecord judgedHour(Verdict verdict, std::optional<Correction> correction = {})
{
    HourRecord hour;
    hour.status = HourStatus::judged;
    hour.result = JudgeResult {};
    hour.result->verdict = verdict;
    hour.correction = correction;
    return hour;
}

} // namespace

TEST(Until, LabelsAndDeadlines)
{
    const QDateTime start = utc("2026-03-02T08:00:00Z");
    EXPECT_EQ(Until::hours(2).label(), "2 h");
    EXPECT_EQ(Until::hours(1.5).label(), "1.5 h");
    EXPECT_EQ(Until::untilDone().label(), "until done");
    EXPECT_EQ(Until::at(utc("2026-03-02T17:00:00Z")).label(berlin), "until 18:00");

    EXPECT_FALSE(Until::untilDone().deadline(start));
    EXPECT_EQ(Until::hours(1.5).deadline(start), utc("2026-03-02T09:30:00Z"));
    const QDateTime at = utc("2026-03-01T00:00:00Z");
    EXPECT_EQ(Until::at(at).deadline(start), at) << "the payload, whatever the start";
}

TEST(HourRecord, EffectiveVerdictFollowsCorrectionThenResult)
{
    EXPECT_EQ(judgedHour(Verdict::drifting).effectiveVerdict(), Verdict::drifting);
    EXPECT_EQ(
        judgedHour(Verdict::drifting, Correction::onTask).effectiveVerdict(), Verdict::aligned);
    EXPECT_FALSE(judgedHour(Verdict::drifting, Correction::away).effectiveVerdict());
    EXPECT_EQ(
        judgedHour(Verdict::aligned, Correction::differentThing).effectiveVerdict(), Verdict::away);

    HourRecord quiet = judgedHour(Verdict::aligned);
    quiet.status = HourStatus::quiet;
    EXPECT_FALSE(quiet.effectiveVerdict());
    HourRecord noResult = judgedHour(Verdict::aligned);
    noResult.result.reset();
    EXPECT_FALSE(noResult.effectiveVerdict());
}

TEST(FrameMeta, UsableAndCaption)
{
    FrameMeta frame;
    frame.time = utc("2026-03-02T08:42:00Z");
    frame.appName = "Xcode";
    frame.windowTitle = "  Parser notes\n";
    frame.file = "a.jpg";
    EXPECT_TRUE(frame.isUsable());
    EXPECT_EQ(frame.caption(berlin), "09:42 · Xcode — Parser notes");

    frame.windowTitle = " \n\t";
    EXPECT_EQ(frame.caption(berlin), "09:42 · Xcode");
    frame.windowTitle = "Xcode";
    EXPECT_EQ(frame.caption(berlin), "09:42 · Xcode");

    frame.skipped = SkipReason::camera;
    EXPECT_FALSE(frame.isUsable()) << "a file with a skip reason is not usable";
    EXPECT_EQ(frame.caption(berlin), "09:42 · skipped (on a call)");

    frame.skipped.reset();
    frame.file.reset();
    EXPECT_FALSE(frame.isUsable());

    HourRecord hour;
    hour.frames = {frame, frame};
    hour.frames[1].file = "b.jpg";
    EXPECT_EQ(hour.usableFrameCount(), 1);
}

TEST(DayKey, LocalDayBoundariesAndNoonOfAKey)
{
    // 23:59 in New York is already the next day in UTC.
    const Calendar newYork(QTimeZone("America/New_York"));
    EXPECT_EQ(DayKey::key(utc("2026-03-03T04:59:00Z"), newYork), "2026-03-02");
    EXPECT_EQ(DayKey::key(utc("2026-03-03T05:00:00Z"), newYork), "2026-03-03");
    EXPECT_EQ(DayKey::key(utc("2026-03-01T23:30:00Z"), berlin), "2026-03-02");
    EXPECT_EQ(DayKey::date("2026-3-2", berlin), utc("2026-03-02T11:00:00Z"));
    for (const char *malformed : {"2026-03", "abc", "2026-13-40"})
        EXPECT_FALSE(DayKey::date(malformed, berlin)) << malformed;
    // Across the spring change (29 March 2026) noon moves from 11:00 to 10:00 UTC.
    EXPECT_EQ(DayKey::date("2026-03-28", berlin), utc("2026-03-28T11:00:00Z"));
    EXPECT_EQ(DayKey::date("2026-03-29", berlin), utc("2026-03-29T10:00:00Z"));
}

TEST(Calendar, DayArithmeticAcrossDaylightSaving)
{
    const QDateTime saturdayNine = utc("2026-03-28T08:00:00Z"); // 09:00 CET
    const auto sunday = berlin.addingDays(saturdayNine, 1);
    ASSERT_TRUE(sunday);
    EXPECT_EQ(*sunday, utc("2026-03-29T07:00:00Z")) << "09:00 CEST, 23 hours later";
    EXPECT_EQ(berlin.startOfWeek(saturdayNine), utc("2026-03-22T23:00:00Z"));
    EXPECT_EQ(berlin.minutesAfterMidnight(saturdayNine), 9 * 60);
}

TEST(Formatters, DurationRoundsToMinutesAndIsoKeepsMilliseconds)
{
    const std::pair<double, const char *> durations[] = {{3900, "1 h 05 m"}, {59, "0 m"},
        {3599.4, "59 m"}, {3599.5, "1 h 00 m"}, {-30, "0 m"}, {std::nan(""), "0 m"}};
    for (const auto &[seconds, text] : durations)
        EXPECT_EQ(Formatters::duration(seconds), text) << seconds;
    EXPECT_EQ(
        Formatters::iso(utc("2026-03-02T08:15:00Z").addMSecs(250)), "2026-03-02T08:15:00.250Z");
}

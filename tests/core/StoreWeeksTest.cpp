#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/WeekStats.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimeZone>

namespace {

const Calendar berlin(QTimeZone(QByteArrayLiteral("Europe/Berlin")));

QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

HourRecord alignedHour(const QDateTime &start)
{
    HourRecord hour;
    hour.id = start.toString(Qt::ISODate);
    hour.thingID = QStringLiteral("T");
    hour.start = start;
    hour.end = start.addSecs(3600);
    hour.status = HourStatus::judged;
    JudgeResult result;
    result.verdict = Verdict::aligned;
    result.frames = {{QStringLiteral("09:00"), QStringLiteral("x"), Relation::on}};
    result.threads = {QStringLiteral("parser")};
    hour.result = result;
    return hour;
}

QStringList weekKeys(const QList<WeekStats> &weeks)
{
    QStringList keys;
    for (const WeekStats &week : weeks)
        keys.append(week.weekStart);
    return keys;
}

QStringList dayKeys(const WeekStats &week)
{
    QStringList keys;
    for (const DayStats &day : week.days)
        keys.append(day.date);
    return keys;
}

class StoreWeeks : public testing::Test
{
protected:
    QTemporaryDir dir;
    Store store {dir.path(), berlin};
};

} // namespace

TEST_F(StoreWeeks, EightWeeksOldestFirstWithOnlyTheDaysSoFar)
{
    // Wednesday 4 March 2026, 10:00 in Berlin.
    const QList<WeekStats> weeks = store.recentWeeks(8, utc("2026-03-04T09:00:00Z"));
    ASSERT_EQ(weeks.size(), 8);
    EXPECT_EQ(weekKeys(weeks),
        QStringList({"2026-01-12", "2026-01-19", "2026-01-26", "2026-02-02", "2026-02-09",
            "2026-02-16", "2026-02-23", "2026-03-02"}));
    EXPECT_EQ(dayKeys(weeks[6]),
        QStringList({"2026-02-23", "2026-02-24", "2026-02-25", "2026-02-26", "2026-02-27",
            "2026-02-28", "2026-03-01"}));
    EXPECT_EQ(dayKeys(weeks[7]), QStringList({"2026-03-02", "2026-03-03", "2026-03-04"}));
    EXPECT_TRUE(store.recentWeeks(-3, utc("2026-03-04T09:00:00Z")).isEmpty());
}

TEST_F(StoreWeeks, OnAMondayTheCurrentWeekHasOneDay)
{
    // Monday 00:00 local is already part of the new week.
    for (const QDateTime &now : {utc("2026-03-01T23:00:00Z"), utc("2026-03-02T16:00:00Z")}) {
        const QList<WeekStats> weeks = store.recentWeeks(2, now);
        ASSERT_EQ(weeks.size(), 2);
        EXPECT_EQ(weeks[0].days.size(), 7);
        EXPECT_EQ(dayKeys(weeks[1]), QStringList({"2026-03-02"}));
    }
    // One minute earlier it is still Sunday in Berlin.
    EXPECT_EQ(store.recentWeeks(1, utc("2026-03-01T22:59:00Z"))[0].days.size(), 7);
}

TEST_F(StoreWeeks, WeeksFollowLocalDaysAcrossDaylightSavingChanges)
{
    // Sunday 29 March 23:30 summer time, then Monday 30 March 00:30.
    store.upsertHour(alignedHour(utc("2026-03-29T21:30:00Z")));
    store.upsertHour(alignedHour(utc("2026-03-29T22:30:00Z")));
    // Sunday 25 October 23:30 winter time, the day the clocks went back.
    store.upsertHour(alignedHour(utc("2026-10-25T22:30:00Z")));

    const QList<WeekStats> spring = store.recentWeeks(2, utc("2026-04-05T20:00:00Z"));
    EXPECT_EQ(weekKeys(spring), QStringList({"2026-03-23", "2026-03-30"}));
    EXPECT_EQ(spring[0].days.last().date, QStringLiteral("2026-03-29"));
    EXPECT_EQ(spring[0].judgedHours, 1);
    EXPECT_EQ(spring[1].days.size(), 7);
    EXPECT_EQ(spring[1].judgedHours, 1);

    const QList<WeekStats> autumn = store.recentWeeks(2, utc("2026-10-26T08:00:00Z"));
    EXPECT_EQ(weekKeys(autumn), QStringList({"2026-10-19", "2026-10-26"}));
    EXPECT_EQ(dayKeys(autumn[0]).last(), QStringLiteral("2026-10-25"));
    EXPECT_EQ(autumn[0].judgedHours, 1);
    EXPECT_EQ(autumn[1].judgedHours, 0);
}

TEST_F(StoreWeeks, FiguresComeFromTheDayFilesAndReadingWritesNothing)
{
    for (const char *start :
        {"2026-03-02T08:00:00Z", "2026-03-02T09:00:00Z", "2026-03-03T08:00:00Z"})
        store.upsertHour(alignedHour(utc(start)));
    const QStringList before = store.allKeys();

    Store fresh(dir.path(), berlin);
    const QList<WeekStats> weeks = fresh.recentWeeks(1, utc("2026-03-08T12:00:00Z"));
    ASSERT_EQ(weeks.size(), 1);
    EXPECT_EQ(weeks[0].judgedHours, 3);
    EXPECT_EQ(weeks[0].longestStretch, 2);
    EXPECT_DOUBLE_EQ(weeks[0].focusScore.value_or(-1), 100.0);
    EXPECT_EQ(fresh.allKeys(), before);
}

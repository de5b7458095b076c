#include "Solitask/witness/SampleData.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/Thresholds.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));

QDateTime local(int month, int day, int hour, int minute)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), berlin.timeZone()).toUTC();
}

const QDateTime wednesday = local(3, 4, 15, 0);

// Seeding writes 36 day files; one seeded store serves the whole suite.
class SampleDataTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_store = new Store(s_dir->path(), berlin);
        SampleData::seed(*s_store, wednesday);
    }
    static void TearDownTestSuite()
    {
        delete s_store;
        delete s_dir;
    }

    static inline QTemporaryDir *s_dir = nullptr;
    static inline Store *s_store = nullptr;
    Store &m_store = *s_store;
};

TEST_F(SampleDataTest, TodayAndSevenWeeksOfWeekdays)
{
    EXPECT_EQ(m_store.allKeys().size(), 1 + 7 * 5);
    const DayLog today = m_store.log(wednesday);
    ASSERT_EQ(today.things.size(), 2);
    EXPECT_EQ(today.things[0].outcome, Outcome::done);
    EXPECT_TRUE(today.things[1].isOpen()) << "the day is still going";
    QList<HourStatus> statuses;
    for (const HourRecord &hour : today.hours)
        statuses.append(hour.status);
    EXPECT_EQ(statuses,
        QList<HourStatus>(
            {HourStatus::judged, HourStatus::judged, HourStatus::quiet, HourStatus::judged}));
    EXPECT_EQ(today.offDuty.size(), 1);
}

// Every judged hour reads as if the judge had seen its frames, ten minutes apart.
TEST_F(SampleDataTest, JudgedHoursAgreeWithTheirFrames)
{
    for (const QString &key : m_store.allKeys()) {
        for (const HourRecord &hour : m_store.log(key).hours) {
            EXPECT_EQ(hour.model.has_value(), hour.status == HourStatus::judged) << qPrintable(key);
            if (hour.status != HourStatus::judged)
                continue;
            ASSERT_TRUE(hour.result.has_value());
            ASSERT_EQ(hour.result->frames.size(), hour.frames.size()) << qPrintable(key);
            EXPECT_EQ(hour.result->verdict,
                Thresholds::verdict(hour.result->frames, hour.result->confidence));
            for (int i = 0; i < hour.frames.size(); ++i) {
                EXPECT_EQ(hour.frames[i].time, hour.start.addSecs(600LL * (i + 1)));
                EXPECT_EQ(hour.result->frames[i].t, Formatters::hm(hour.frames[i].time, berlin));
                EXPECT_FALSE(hour.frames[i].file.has_value());
            }
        }
    }
}

TEST_F(SampleDataTest, HistoryIsTheSameEveryTime)
{
    QTemporaryDir other;
    Store second(other.path(), berlin);
    SampleData::seed(second, wednesday);
    for (const QString &key : m_store.allKeys()) {
        const DayLog a = m_store.log(key), b = second.log(key);
        ASSERT_EQ(a.hours.size(), b.hours.size()) << qPrintable(key);
        for (int i = 0; i < a.hours.size(); ++i) {
            EXPECT_EQ(a.hours[i].switches, b.hours[i].switches);
            EXPECT_EQ(a.hours[i].result, b.hours[i].result);
        }
    }
}

} // namespace

#include "Solitask/witness/SampleData.h"
#include "SolitaskCore/Store.h"

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

TEST_F(SampleDataTest, TodayHasTwoSolitasksFourHoursAndABreak)
{
    const DayLog today = m_store.log(wednesday);
    ASSERT_EQ(today.things.size(), 2);
    const Thing &pricing = today.things[0];
    EXPECT_EQ(pricing.text, QStringLiteral("Finish the pricing page"));
    EXPECT_EQ(pricing.declaredAt, local(3, 4, 9, 2));
    EXPECT_EQ(pricing.closedAt, local(3, 4, 13, 10));
    EXPECT_EQ(pricing.outcome, Outcome::done);
    const Thing &board = today.things[1];
    EXPECT_EQ(board.text, QStringLiteral("Reply to the board"));
    EXPECT_EQ(board.declaredAt, local(3, 4, 13, 32));
    EXPECT_EQ(board.until, Until::hours(1));
    EXPECT_TRUE(board.isOpen());

    ASSERT_EQ(today.hours.size(), 4);
    const HourStatus statuses[]
        = {HourStatus::judged, HourStatus::judged, HourStatus::quiet, HourStatus::judged};
    const std::optional<Verdict> verdicts[]
        = {Verdict::aligned, Verdict::drifting, std::nullopt, Verdict::aligned};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const HourRecord &hour = today.hours[i];
        EXPECT_EQ(hour.thingID, pricing.id);
        EXPECT_EQ(hour.start, local(3, 4, 9 + i, 2));
        EXPECT_EQ(hour.status, statuses[i]);
        EXPECT_EQ(hour.effectiveVerdict(), verdicts[i]);
        EXPECT_EQ(hour.model.has_value(), hour.status == HourStatus::judged);
    }
    ASSERT_EQ(today.offDuty.size(), 1);
    EXPECT_EQ(today.offDuty[0].start, local(3, 4, 12, 0));
    EXPECT_EQ(today.offDuty[0].end, local(3, 4, 12, 40));
    EXPECT_EQ(today.offDuty[0].reason, QStringLiteral("30m"));
}

TEST_F(SampleDataTest, JudgedHoursCarryFramesThatMatchTheirRelations)
{
    const HourRecord hour = m_store.log(wednesday).hours[1];
    EXPECT_EQ(hour.switches, 11);
    EXPECT_EQ(hour.distinctApps, 3);
    EXPECT_EQ(hour.costUSD, 0.03);
    EXPECT_EQ(hour.durationMs, 8200);
    ASSERT_EQ(hour.frames.size(), 6);
    ASSERT_TRUE(hour.result.has_value());
    EXPECT_EQ(hour.result->switching, Switching::high);
    EXPECT_EQ(hour.result->confidence, 0.85);
    EXPECT_EQ(
        hour.result->nudge, QStringLiteral("Drifted toward Slack and Gmail for most of the hour."));
    const QString apps[]
        = {QStringLiteral("Google Docs"), QStringLiteral("Safari"), QStringLiteral("Safari"),
            QStringLiteral("Slack"), QStringLiteral("Safari"), QStringLiteral("Safari")};
    const char *times[] = {"10:12", "10:22", "10:32", "10:42", "10:52", "11:02"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(hour.frames[i].time, hour.start.addSecs(600LL * (i + 1)));
        EXPECT_EQ(hour.frames[i].appName, apps[i]);
        EXPECT_EQ(hour.frames[i].bundleID, QStringLiteral("sample"));
        EXPECT_FALSE(hour.frames[i].file.has_value());
        EXPECT_EQ(hour.result->frames[i].t, QString::fromLatin1(times[i]));
        EXPECT_EQ(hour.result->frames[i].label, QStringLiteral("pricing doc"));
    }
}

TEST_F(SampleDataTest, HistoryCoversSevenWeeksOfWeekdays)
{
    EXPECT_EQ(m_store.allKeys().size(), 1 + 7 * 5);
    const DayLog weekAgo = m_store.log(local(2, 25, 12, 0)); // w = 1, d = 0
    ASSERT_EQ(weekAgo.things.size(), 1);
    EXPECT_EQ(weekAgo.things[0].text, QStringLiteral("Ship the onboarding"));
    EXPECT_EQ(weekAgo.things[0].declaredAt, local(2, 25, 9, 30));
    EXPECT_EQ(weekAgo.things[0].closedAt, local(2, 25, 14, 30));
    EXPECT_EQ(weekAgo.hours.size(), 5);
    const DayLog interrupted = m_store.log(local(2, 23, 12, 0)); // w = 1, d = 2
    ASSERT_EQ(interrupted.things.size(), 1);
    EXPECT_EQ(interrupted.things[0].text, QStringLiteral("Fix the sync bug"));
    EXPECT_EQ(interrupted.things[0].outcome, Outcome::switched);
    EXPECT_EQ(interrupted.things[0].switchReason, SwitchReason::interrupted);
    for (const HourRecord &hour : weekAgo.hours) {
        EXPECT_GE(hour.switches, 2);
        EXPECT_LE(hour.switches, 15);
        EXPECT_EQ(hour.distinctApps, hour.result->threads.size());
        EXPECT_EQ(hour.result->switching, hour.switches < 11 ? Switching::low : Switching::high);
        EXPECT_TRUE(hour.result->nudge.isEmpty());
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

TEST(SampleDataGenerator, DrawsFollowTheSixtyFourBitSequenceFrom42)
{
    SampleData::Generator draw;
    EXPECT_DOUBLE_EQ(draw.next(), 0.334);
    EXPECT_DOUBLE_EQ(draw.next(), 0.026);
    EXPECT_DOUBLE_EQ(draw.next(), 0.538);
    for (int i = 0; i < 1000; ++i) {
        const double x = draw.next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
    }
}

} // namespace

#include "SolitaskCore/Summaries.h"

#include <gtest/gtest.h>

namespace {

const QDateTime declared = QDateTime::fromString("2026-03-02T08:00:00Z", Qt::ISODate);

Thing thing()
{
    return {"T1", "write the chapter outline", declared, Until::untilDone(), std::nullopt,
        std::nullopt, std::nullopt};
}

HourRecord hour(HourStatus status, std::optional<Verdict> verdict, int threads = 0,
    std::optional<Correction> correction = std::nullopt)
{
    HourRecord record;
    record.status = status;
    record.correction = correction;
    if (verdict) {
        JudgeResult result;
        result.verdict = *verdict;
        for (int i = 0; i < threads; ++i)
            result.threads.append(QStringLiteral("thread %1").arg(i));
        record.result = result;
    }
    return record;
}

QString line(const QList<HourRecord> &hours, int seconds)
{
    return Summaries::doneLine(thing(), hours, declared.addSecs(seconds));
}

// Corrections decide alignment; threads are the mean over judged hours with a result.
TEST(Summaries, CountsAlignedHoursAndMeanThreads)
{
    EXPECT_EQ(line({hour(HourStatus::judged, Verdict::aligned, 2),
                       hour(HourStatus::judged, Verdict::mostly, 3),
                       hour(HourStatus::judged, Verdict::drifting, 2),
                       hour(HourStatus::unwitnessed, std::nullopt)},
                  3900),
        "1 h 05 m · 2 of 3 hours aligned · 2.3 threads/hour");
    EXPECT_EQ(line({hour(HourStatus::judged, Verdict::aligned, 1, Correction::differentThing),
                       hour(HourStatus::judged, Verdict::away, 3, Correction::onTask)},
                  7200),
        "2 h 00 m · 1 of 2 hours aligned · 2.0 threads/hour");
    EXPECT_EQ(
        line({hour(HourStatus::judged, std::nullopt), hour(HourStatus::judged, Verdict::mostly, 4)},
            29),
        "0 m · 1 of 2 hours aligned · 4.0 threads/hour");
    EXPECT_EQ(line({hour(HourStatus::judged, std::nullopt, 0, Correction::onTask)}, 60),
        "1 m · 1 of 1 hour aligned");
    EXPECT_EQ(line({hour(HourStatus::judged, Verdict::away, 0)}, 2400),
        "40 m · 0 of 1 hour aligned · 0.0 threads/hour");
}

TEST(Summaries, NoJudgedHours)
{
    EXPECT_EQ(line({}, 720), "12 m · no judged hours");
    // A quiet hour with a result is still not judged; closing before declaring reads as zero.
    EXPECT_EQ(line({hour(HourStatus::quiet, Verdict::aligned, 3)}, -300), "0 m · no judged hours");
}

} // namespace

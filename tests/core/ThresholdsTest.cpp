#include "SolitaskCore/Thresholds.h"
#include "SolitaskCore/Formatters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

QList<FrameJudgment> framesOf(int on, int adjacent, int off, int skipped = 0)
{
    QList<FrameJudgment> frames;
    const auto add = [&frames](int count, Relation relation) {
        for (int i = 0; i < count; ++i)
            frames.append({QStringLiteral("09:%1").arg(frames.size(), 2, 10, QLatin1Char('0')),
                "frame", relation});
    };
    add(on, Relation::on);
    add(skipped, Relation::skipped);
    add(adjacent, Relation::adjacent);
    add(off, Relation::off);
    return frames;
}

TEST(Thresholds, VerdictFollowsTheOnTaskShare)
{
    const struct
    {
        int on, adjacent, off;
        Verdict expected;
    } cases[] = {// Exactly five of six, two of three and one of three reach the higher class.
        {5, 0, 1, Verdict::aligned}, {4, 0, 2, Verdict::mostly}, {2, 0, 1, Verdict::mostly},
        {2, 0, 4, Verdict::drifting}, {1, 0, 2, Verdict::drifting}, {1, 0, 5, Verdict::away},
        // The edges sit 0.001 below the fractions themselves.
        {833, 0, 167, Verdict::aligned}, {832, 0, 168, Verdict::mostly},
        {666, 0, 334, Verdict::mostly}, {665, 0, 335, Verdict::drifting},
        {333, 0, 667, Verdict::drifting}, {332, 0, 668, Verdict::away},
        // Adjacent frames count as on task.
        {0, 5, 1, Verdict::aligned}, {0, 0, 3, Verdict::away}, {3, 0, 0, Verdict::aligned}};
    for (const auto &c : cases)
        EXPECT_EQ(Thresholds::verdict(framesOf(c.on, c.adjacent, c.off), 0.9), c.expected)
            << c.on << " on, " << c.adjacent << " adjacent, " << c.off << " off";
}

TEST(Thresholds, SkippedFramesAreNotUsable)
{
    EXPECT_EQ(Thresholds::verdict(framesOf(0, 0, 0, 12), 1.0), Verdict::unclear);
    EXPECT_EQ(Thresholds::verdict(framesOf(2, 0, 0, 10), 1.0), Verdict::unclear);
    // Skipped frames do not dilute the share either.
    EXPECT_EQ(Thresholds::verdict(framesOf(3, 0, 0, 10), 1.0), Verdict::aligned);
    EXPECT_EQ(Thresholds::verdict({}, 1.0), Verdict::unclear);
}

TEST(Thresholds, ConfidenceBelowOneHalfIsUnclear)
{
    const QList<FrameJudgment> onTask = framesOf(10, 0, 0);
    EXPECT_EQ(Thresholds::verdict(onTask, 0.5), Verdict::aligned);
    EXPECT_EQ(Thresholds::verdict(onTask, std::nextafter(0.5, 0.0)), Verdict::unclear);
    EXPECT_EQ(
        Thresholds::verdict(onTask, std::numeric_limits<double>::quiet_NaN()), Verdict::unclear);
    EXPECT_EQ(Thresholds::verdict(onTask, -1), Verdict::unclear);
}

JudgeResult sampleResult()
{
    JudgeResult result;
    result.verdict = Verdict::aligned;
    result.frames = framesOf(0, 0, 4, 1);
    result.switching = Switching::medium;
    result.confidence = 0.7;
    return result;
}

// The verdict is recomputed from the frames; threads and nudge are trimmed, at most eight threads.
TEST(Thresholds, NormalizedRecomputesTrimsAndIsIdempotent)
{
    JudgeResult result = sampleResult();
    result.threads = {" a ", QString(), "b", " \n "};
    for (int i = 0; i < 10; ++i)
        result.threads.append(QStringLiteral("\tt%1\n").arg(i));
    result.nudge = "\n  Looked like mail.  \n";
    const JudgeResult normalized = Thresholds::normalized(result);
    EXPECT_EQ(normalized.verdict, Verdict::away);
    EXPECT_EQ(normalized.frames, result.frames);
    EXPECT_EQ(normalized.switching, Switching::medium);
    EXPECT_EQ(normalized.confidence, 0.7);
    EXPECT_EQ(normalized.threads, QStringList({"a", "b", "t0", "t1", "t2", "t3", "t4", "t5"}));
    EXPECT_EQ(normalized.nudge, "Looked like mail.");
    EXPECT_EQ(Thresholds::normalized(normalized), normalized);
}

} // namespace

TEST(Thresholds, FramesSkippedBySolitaskStaySkippedWhateverTheJudgeSays)
{
    const Calendar utc(QTimeZone::utc());
    QList<FrameMeta> frames;
    for (int minute : {0, 3, 6, 9}) {
        FrameMeta frame;
        frame.time = QDateTime(QDate(2026, 3, 2), QTime(9, minute), QTimeZone::utc());
        frame.file = "f.jpg";
        frames.append(frame);
    }
    frames[1].skipped = SkipReason::idle;
    frames[1].file.reset();
    frames[2].skipped = SkipReason::privateApp;
    frames[2].file.reset();
    JudgeResult answer;
    answer.confidence = 0.9;
    for (const FrameMeta &frame : frames)
        answer.frames.append({Formatters::hm(frame.time, utc), "x", Relation::on});
    // By position when the counts agree, by time when the judge left one out.
    for (const bool dropOne : {false, true}) {
        JudgeResult judged = answer;
        if (dropOne)
            judged.frames.removeAt(0);
        const JudgeResult kept = Thresholds::keepingSkipped(judged, frames, utc);
        QList<Relation> relations;
        for (const FrameJudgment &j : kept.frames)
            relations.append(j.relation);
        const QList<Relation> expected
            = {Relation::on, Relation::skipped, Relation::skipped, Relation::on};
        EXPECT_EQ(relations, dropOne ? expected.mid(1) : expected) << dropOne;
        EXPECT_EQ(kept.verdict, Verdict::unclear) << "too few frames left to judge";
    }
}

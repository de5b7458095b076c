#include "SolitaskCore/Thresholds.h"

#include "SolitaskCore/Formatters.h"

#include <QSet>

namespace Thresholds {

namespace {

Verdict verdictForShare(double share)
{
    if (share >= alignedShare)
        return Verdict::aligned;
    if (share >= mostlyShare)
        return Verdict::mostly;
    if (share >= driftingShare)
        return Verdict::drifting;
    return Verdict::away;
}

QStringList trimmedThreads(const QStringList &threads)
{
    QStringList kept;
    for (const QString &thread : threads) {
        const QString trimmed = thread.trimmed();
        if (!trimmed.isEmpty())
            kept.append(trimmed);
        if (kept.size() == threadLimit)
            break;
    }
    return kept;
}

} // namespace

Verdict verdict(const QList<FrameJudgment> &frames, double confidence)
{
    int usable = 0;
    int onTask = 0;
    for (const FrameJudgment &frame : frames) {
        if (frame.relation == Relation::skipped)
            continue;
        ++usable;
        onTask += (frame.relation == Relation::on || frame.relation == Relation::adjacent) ? 1 : 0;
    }
    // Written so that NaN fails the test.
    if (usable < minUsableFrames || !(confidence >= minConfidence))
        return Verdict::unclear;
    return verdictForShare(static_cast<double>(onTask) / usable);
}

JudgeResult normalized(JudgeResult result)
{
    result.verdict = verdict(result.frames, result.confidence);
    result.threads = trimmedThreads(result.threads);
    result.nudge = result.nudge.trimmed();
    return result;
}

JudgeResult keepingSkipped(
    JudgeResult result, const QList<FrameMeta> &frames, const Calendar &calendar)
{
    const bool byPosition = result.frames.size() == frames.size();
    QSet<QString> skippedTimes;
    QSet<QString> takenTimes;
    bool changed = false;
    for (const FrameMeta &frame : frames)
        (frame.skipped ? skippedTimes : takenTimes).insert(Formatters::hm(frame.time, calendar));
    for (qsizetype i = 0; i < result.frames.size(); ++i) {
        FrameJudgment &judgment = result.frames[i];
        const bool skipped = byPosition
            ? frames[i].skipped.has_value()
            : skippedTimes.contains(judgment.t) && !takenTimes.contains(judgment.t);
        if (skipped && judgment.relation != Relation::skipped) {
            judgment.relation = Relation::skipped;
            changed = true;
        }
    }
    if (changed)
        result.verdict = verdict(result.frames, result.confidence);
    return result;
}

} // namespace Thresholds

#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QList>

/// Decides a period's verdict from the judge's per-frame relations. The judge's
/// own verdict is never trusted; every stored result goes through `normalized`.
namespace Thresholds {

inline constexpr int minUsableFrames = 3;
inline constexpr double minConfidence = 0.5;
// Just below 5/6, 2/3 and 1/3, so that exactly five of six (two of three, one
// of three) on-task frames reach the higher class despite rounding.
inline constexpr double alignedShare = 0.8323333333333334;
inline constexpr double mostlyShare = 0.6656666666666666;
inline constexpr double driftingShare = 0.3323333333333333;
inline constexpr int threadLimit = 8;

/// `unclear` with fewer than three non-skipped frames or a confidence below
/// 0.5 (NaN included); otherwise by the share of on and adjacent frames.
Verdict verdict(const QList<FrameJudgment> &frames, double confidence);

/// The verdict recomputed, threads trimmed (empty ones dropped, at most
/// eight), the nudge trimmed; everything else unchanged.
JudgeResult normalized(JudgeResult result);

/// The result with every frame Solitask itself skipped judged `skipped`,
/// whatever the judge said of it; the verdict is recomputed when a relation
/// changes. Judgments match frames by position when the counts agree, else by
/// their "HH:mm" time.
JudgeResult keepingSkipped(
    JudgeResult result, const QList<FrameMeta> &frames, const Calendar &calendar);

} // namespace Thresholds

#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QString>

#include <optional>

/// The one line the notch strip shows after an hour, and the shortened Thing
/// text used in it, in the menu and on the gate.
namespace NudgeCopy {

inline constexpr int maxWords = 18;
inline constexpr int minWords = 3;
/// This many threads or more turn a mostly, drifting or away line into the
/// switching line.
inline constexpr int switchingThreads = 4;
inline constexpr qint64 switchesForLine = 16;
inline constexpr int shortThingLength = 42;

/// None for aligned and unclear hours; otherwise the switching line, the
/// judge's own nudge when acceptable, or a fixed sentence.
std::optional<QString> line(const JudgeResult &result, const QString &thing);
/// "Five different things this hour. Pick one — you said <thing>."
QString switchingLine(int threads, const QString &thing);
/// For an unwitnessed hour: none below 16 switches.
std::optional<QString> switchesOnlyLine(qint64 switches);
/// Trimmed, and cut to at most `max` user-perceived characters ending in "…".
QString shortThing(const QString &text, int max);
/// Three to eighteen words, no "!", no "you should/must/need to".
bool isValid(const QString &nudge);
/// "Zero" … "Ten", then decimal digits.
QString numberWord(qint64 count);

} // namespace NudgeCopy

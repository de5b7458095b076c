#pragma once

#include "SolitaskCore/DayRecords.h"

/// Bounds on texts that come from outside (the judge's answers and errors,
/// window titles, what the person typed) before they reach a day file, so
/// that a misbehaving judge or window can not make a day too large to read.
namespace StoredTexts {

constexpr qsizetype errorChars = 2000;
constexpr qsizetype textChars = 2000;
constexpr qsizetype labelChars = 300;
constexpr qsizetype judgedFrames = 500;

/// The text cut to `limit` characters, never inside a surrogate pair.
QString clipped(const QString &text, qsizetype limit);

HourRecord bounded(HourRecord hour);
Thing bounded(Thing thing);
OffDutyRecord bounded(OffDutyRecord record);

} // namespace StoredTexts

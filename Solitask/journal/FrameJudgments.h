#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <optional>

/// The judge's entry for the frame at `index` of `hour`: by position when the
/// judge listed exactly as many frames as the hour holds, otherwise the first
/// entry whose time ("HH:mm") is the frame's.
std::optional<FrameJudgment> frameJudgment(const HourRecord &hour, const FrameMeta &frame,
                                           qsizetype index,
                                           const Calendar &calendar = Calendar::system());

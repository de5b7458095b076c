#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QString>

#include <functional>
#include <optional>

/// What an hour row can ask of the journal.
struct HourActions
{
    /// The person chose a correction (none clears it).
    std::function<void(const QString &hourID, std::optional<Correction> correction)> correct;
    /// The person asked to see the hour's frames.
    std::function<void(const HourRecord &hour, const QString &thingText)> showFrames;
};

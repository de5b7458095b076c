#pragma once

#include "SolitaskCore/DayStats.h"

#include <QList>
#include <QString>

#include <optional>

/// The figures of one Monday-based week, built from its days.
struct WeekStats
{
    /// Day key of the week's Monday.
    QString weekStart;
    int judgedHours = 0;
    /// The days' scores weighted by their judged hours.
    std::optional<double> focusScore;
    std::optional<double> threadsPerHour;
    int longestStretch = 0;
    /// Mean over the days on which something was declared.
    double switchesPerDay = 0;
    QList<DayStats> days;

    bool operator==(const WeekStats &) const = default;
};

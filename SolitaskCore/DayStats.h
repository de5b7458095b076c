#pragma once

#include <QString>

#include <optional>

/// The figures of one day log. Only valued hours (see Practice::hourValue) count.
struct DayStats
{
    QString date;
    int judgedHours = 0;
    /// Mean hour value × 100.
    std::optional<double> focusScore;
    std::optional<double> threadsPerHour;
    /// Longest run of aligned valued hours; hours without value neither extend nor break it.
    int longestStretch = 0;
    /// Things of the day that ended as switched.
    int switchesPerDay = 0;
    int alignedHours = 0;
    int declaredThings = 0;
    std::optional<double> appSwitchesPerHour;

    bool operator==(const DayStats &) const = default;
};

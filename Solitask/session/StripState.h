#pragma once

#include "Solitask/session/DayThingRow.h"
#include "Solitask/session/HourDot.h"

#include <QList>
#include <QString>

#include <optional>

/// Which main section the strip shows.
enum class StripFace { committed, nothing, offDuty, quiet };

QString rawValue(StripFace face);

/// Everything the notch strip shows; the session writes it, views draw it.
struct StripState
{
    StripFace face = StripFace::nothing;
    bool expanded = false;
    QString text;
    DotState dot = DotState::clear;
    std::optional<QString> nudge;
    bool holdChoices = false;
    QString elapsedText;
    QString untilText;
    QList<HourDot> hourDots;
    QString meterText;
    std::optional<QString> pausedReason;
    /// Why the last change could not be written to disk; it is retried with the next one.
    std::optional<QString> saveProblem;
    std::optional<QString> doneSummary;
    std::optional<QString> busyText;
    /// Done and Switch are offered (a solitask is open and not wrapping up).
    bool closeOffered = false;
    /// The gate waits unanswered for the open solitask: the strip offers it again.
    bool declareOffered = false;
    QString offDutyText;
    QList<DayThingRow> dayThings;
    int judgedHours = 0;
    std::optional<int> alignedPct;
    std::optional<double> threadsPerHour;
    int switchesToday = 0;

    bool operator==(const StripState &) const = default;
};

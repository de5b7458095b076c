#pragma once

#include "Solitask/session/DotState.h"

#include <QString>

/// One solitask of today in the strip.
struct DayThingRow
{
    QString id;
    QString text;
    QString span;
    DotState state = DotState::clear;
    bool open = false;

    bool operator==(const DayThingRow &) const = default;
};

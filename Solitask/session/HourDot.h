#pragma once

#include "Solitask/session/DotState.h"

#include <QString>

/// One hour of the current solitask in the strip.
struct HourDot
{
    QString id;
    QString label;
    DotState state = DotState::clear;
    bool quiet = false;

    bool operator==(const HourDot &) const = default;
};

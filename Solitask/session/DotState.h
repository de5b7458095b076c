#pragma once

#include "SolitaskCore/Enums.h"

#include <QString>

/// Colour of an hour: not judged yet, aligned, drifting or away, or unclear.
enum class DotState { clear, sage, amber, gray };

QString rawValue(DotState state);

/// The dot of a verdict: sage for aligned or mostly, amber for drifting or away.
DotState dotState(Verdict verdict);

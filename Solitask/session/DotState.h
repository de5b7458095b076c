#pragma once

#include <QString>

/// Colour of an hour: not judged yet, aligned, drifting or away, or unclear.
enum class DotState { clear, sage, amber, gray };

QString rawValue(DotState state);

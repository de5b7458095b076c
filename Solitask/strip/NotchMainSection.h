#pragma once

#include <QString>

struct StripState;
class NotchView;
class QWidget;

/// The strip's main section for its face: the declared solitask, nothing
/// declared, or off duty and quiet hours.
namespace NotchMainSection {

QWidget *build(const StripState &state, NotchView &view, int width);

/// The line under the hour row, or empty when none applies.
QString statusLine(const StripState &state);
/// The right side of the header: elapsed and until, whichever are set.
QString timeText(const StripState &state);

} // namespace NotchMainSection

#pragma once

#include <QString>

#include <optional>

struct StripState;
class QWidget;

/// "Today so far": four figures of the day and its last solitasks.
namespace NotchTodaySection {

constexpr int shownRows = 4;

QWidget *build(const StripState &state, int width);

/// "67%", or "—" when no hour was judged.
QString alignedText(std::optional<int> pct);
/// "2.8", or "—" when no hour was judged.
QString threadsText(std::optional<double> perHour);

} // namespace NotchTodaySection

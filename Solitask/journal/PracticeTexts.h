#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/WeekStats.h"

#include <QLocale>
#include <QString>

#include <optional>

/// The texts of the Practice tab's tiles.
namespace PracticeTexts {

/// This week's focus score rounded, or "—".
QString focusValue(const WeekStats &week);
/// "last week 64", or "no week before" without a scored week before.
QString focusSub(const std::optional<WeekStats> &previous);
/// "2.4" or "—".
QString threadsValue(const WeekStats &week);
/// "last week 2.1", or "no week before".
QString threadsSub(const std::optional<WeekStats> &previous);
/// "3 h".
QString stretchValue(const WeekStats &week);
/// "on Tue" for the first day holding the week's longest stretch, or
/// "no aligned run yet".
QString longestStretchDay(const WeekStats &week, const Calendar &calendar = Calendar::system(),
                          const QLocale &locale = QLocale());
/// "1.6".
QString switchesValue(const WeekStats &week);

} // namespace PracticeTexts

#pragma once

#include "SolitaskCore/Calendar.h"

#include <QDateTime>
#include <QString>

namespace Formatters {

/// 24-hour clock time "HH:mm" on the given calendar.
QString hm(const QDateTime &instant, const Calendar &calendar = Calendar::system());
/// ISO 8601 with milliseconds in UTC, e.g. 2026-03-02T08:15:00.250Z.
QString iso(const QDateTime &instant);
/// "1 h 05 m" above an hour, "45 m" below; negative gives "0 m".
QString duration(double seconds);

} // namespace Formatters

#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>

/// The one-line summary shown when a Thing is finished or switched away from.
namespace Summaries {

/// "1 h 05 m · 2 of 3 hours aligned · 2.3 threads/hour", or
/// "12 m · no judged hours" when none of `hours` was judged.
QString doneLine(const Thing &thing, const QList<HourRecord> &hours, const QDateTime &closedAt);

} // namespace Summaries

#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <variant>

/// One row of the day: a declared solitask or an off-duty interval.
struct TodayEntry
{
    std::variant<Thing, OffDutyRecord> item;

    const Thing *thing() const { return std::get_if<Thing>(&item); }
    const OffDutyRecord *offDuty() const { return std::get_if<OffDutyRecord>(&item); }
    /// When the row begins: a Thing's declaration, an interval's start.
    QDateTime instant() const;
    /// "thing-" + id, or "off-" + the start in seconds since 1970.
    QString identity() const;

    /// The day's Things and off-duty intervals in time order (Things first on a tie).
    static QList<TodayEntry> of(const DayLog &log);
};

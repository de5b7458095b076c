#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QWidget>

/// An off-duty interval between two rules: "Off duty · 12:00 – 12:40".
class OffDutyBand : public QWidget
{
    Q_OBJECT

public:
    explicit OffDutyBand(const OffDutyRecord &record, const Calendar &calendar = Calendar::system(),
                         QWidget *parent = nullptr);

    static QString text(const OffDutyRecord &record, const Calendar &calendar);
};

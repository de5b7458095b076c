#pragma once

#include "Solitask/journal/JudgedHourRows.h"
#include "SolitaskCore/DayRecords.h"

#include <QList>
#include <QWidget>

/// One declared solitask: its span and outcome, a dot per hour, and what the
/// judge said about each judged hour.
class ThingCard : public QWidget
{
    Q_OBJECT

public:
    /// `pending`: the frames of the hour under way, shown before it is judged.
    ThingCard(const Thing &thing, const QList<HourRecord> &hours,
              const JudgedHourRows::Context &context,
              const std::optional<HourRecord> &pending = std::nullopt, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *titleRow(const Thing &thing, const JudgedHourRows::Context &context);
    QWidget *dotsRow(const Thing &thing, const QList<HourRecord> &hours,
                     const JudgedHourRows::Context &context,
                     const std::optional<HourRecord> &pending);
    QWidget *pendingMarker(const Thing &thing, const QList<HourRecord> &hours,
                           const JudgedHourRows::Context &context,
                           const std::optional<HourRecord> &pending);
    QWidget *judgedRows(const Thing &thing, const QList<HourRecord> &hours,
                        const JudgedHourRows::Context &context);
};

#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayStats.h"

#include <QList>
#include <QRectF>
#include <QWidget>

/// This week's threads per hour, one bar per day; the best day in mint, the
/// best and the lowest day labelled with their values.
class ThreadBars : public QWidget
{
    Q_OBJECT

public:
    struct Bar
    {
        QRectF rect;
        bool highlighted = false;
        /// The value written above the bar; empty for unlabelled bars.
        QString label;
        QString weekday;
    };

    explicit ThreadBars(const QList<DayStats> &days, const Calendar &calendar = Calendar::system(),
                        QWidget *parent = nullptr);

    /// The bars for a plot of `size`.
    QList<Bar> bars(const QSizeF &size) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<DayStats> m_days;
    Calendar m_calendar;
};

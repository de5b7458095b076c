#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/WeekStats.h"

#include <QList>
#include <QPointF>
#include <QWidget>

/// The weekly focus score over the last weeks, as a line over a soft fill.
class FocusSparkline : public QWidget
{
    Q_OBJECT

public:
    explicit FocusSparkline(const QList<WeekStats> &weeks,
                            const Calendar &calendar = Calendar::system(),
                            QWidget *parent = nullptr);

    /// The plotted points for the present size; weeks without a score leave no point.
    QList<QPointF> points() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintGuides(QPainter &p) const;
    void paintLine(QPainter &p, const QList<QPointF> &points) const;
    void paintLast(QPainter &p, const QPointF &point) const;
    void paintDates(QPainter &p) const;

    QList<WeekStats> m_weeks;
    Calendar m_calendar;
};

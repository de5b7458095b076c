#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/WeekStats.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
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

    /// A text drawn around the plot, in the tight rectangle it covers.
    struct Label
    {
        QRectF rect;
        QString text;
        QFont font;
        QColor color;
    };
    /// Guide scores, the last week's score and the dates, placed so that none
    /// of them runs into another.
    QList<Label> labels() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintGuides(QPainter &p) const;
    void paintLine(QPainter &p, const QList<QPointF> &points) const;
    void paintLast(QPainter &p, const QPointF &point) const;
    void guideLabels(QList<Label> &out) const;
    void lastLabel(QList<Label> &out) const;
    void dateLabels(QList<Label> &out) const;
    static Label make(const QString &text, const QFont &font, const QColor &color);

    QList<WeekStats> m_weeks;
    Calendar m_calendar;
};

#pragma once

#include <QPointF>
#include <QSizeF>

/// The plot rectangle of the focus sparkline and where a week's score lands in it.
struct SparkGeometry
{
    qreal left = 0;
    qreal right = 0;
    qreal top = 0;
    qreal bottom = 0;
    int count = 0;

    /// The plot inside a sparkline of `size`.
    static SparkGeometry in(const QSizeF &size, int count);

    /// x of week `index`; a single week sits in the middle.
    qreal x(int index) const;
    /// y of a score, clamped to 0…100.
    qreal y(double score) const;
    QPointF point(int index, double score) const { return {x(index), y(score)}; }
};

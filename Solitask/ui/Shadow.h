#pragma once

#include <QColor>
#include <QMarginsF>
#include <QPointF>

class QPainter;
class QPainterPath;

/// A soft drop shadow: `color` blurred by `radius` points and moved by `offset`.
struct Shadow
{
    QColor color;
    qreal radius = 0;
    QPointF offset;

    /// How far beyond a shape the shadow can reach on each side.
    QMarginsF reach() const;
    /// Paints the shadow that `shape` casts (the shape itself is not painted).
    void paint(QPainter &painter, const QPainterPath &shape) const;
};

#pragma once

#include <QPainterPath>
#include <QRectF>

/// The strip's outline: square top corners flush with the screen's edge and
/// rounded bottom corners, so the card reads as the notch growing downwards.
struct NotchShape
{
    qreal radius = 18;

    QPainterPath path(const QRectF &rect) const;
};

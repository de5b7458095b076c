#include "Solitask/strip/NotchShape.h"

#include <algorithm>

QPainterPath NotchShape::path(const QRectF &rect) const
{
    const qreal r = std::clamp(radius, qreal(0), std::min(rect.width(), rect.height()) / 2);
    QPainterPath p;
    p.moveTo(rect.topLeft());
    p.lineTo(rect.topRight());
    p.lineTo(rect.right(), rect.bottom() - r);
    p.quadTo(rect.bottomRight(), QPointF(rect.right() - r, rect.bottom()));
    p.lineTo(rect.left() + r, rect.bottom());
    p.quadTo(rect.bottomLeft(), QPointF(rect.left(), rect.bottom() - r));
    p.closeSubpath();
    return p;
}

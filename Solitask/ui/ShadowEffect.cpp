#include "Solitask/ui/ShadowEffect.h"

#include <QPainter>
#include <QPainterPath>

ShadowEffect::ShadowEffect(Shadow shadow, qreal cornerRadius, QObject *parent)
    : QGraphicsEffect(parent)
    , m_shadow(std::move(shadow))
    , m_radius(cornerRadius)
{
}

QRectF ShadowEffect::boundingRectFor(const QRectF &rect) const
{
    return rect.marginsAdded(m_shadow.reach());
}

void ShadowEffect::draw(QPainter *painter)
{
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, NoPad);
    if (pixmap.isNull())
        return;
    const QRectF rect(offset, pixmap.deviceIndependentSize());
    QPainterPath shape;
    shape.addRoundedRect(rect, m_radius, m_radius);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (castsNow())
        m_shadow.paint(*painter, shape);
    painter->drawPixmap(offset, m_clips ? clipped(pixmap) : pixmap);
    if (m_stroke.isValid()) {
        QPainterPath outline;
        outline.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
        painter->setPen(QPen(m_stroke, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(outline);
    }
    painter->restore();
}

// Anti-aliased clipping: paint the shape, then keep the content only where it is.
QPixmap ShadowEffect::clipped(const QPixmap &pixmap) const
{
    QPixmap out(pixmap.size());
    out.setDevicePixelRatio(pixmap.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(QPointF(), pixmap.deviceIndependentSize()), m_radius, m_radius);
    p.fillPath(shape, Qt::black);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.drawPixmap(0, 0, pixmap);
    return out;
}

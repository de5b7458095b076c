#include "Solitask/journal/FrameTile.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr qreal aspect = 1.6;
constexpr qreal radius = 8;
constexpr qreal captionPad = 10;
} // namespace

FrameTile::FrameTile(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
{
    setFont(TextStyle::font(11));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void FrameTile::setImage(const QImage &image)
{
    m_image = image;
    update();
}

int FrameTile::heightForWidth(int width) const
{
    return int(std::lround(width / aspect));
}

QSize FrameTile::sizeHint() const
{
    return {208, heightForWidth(208)};
}

void FrameTile::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);
    p.fillPath(shape, Palette::tileNeutral());
    p.save();
    p.setClipPath(shape);
    if (hasImage()) {
        const QSizeF filled = QSizeF(m_image.size()).scaled(r.size(), Qt::KeepAspectRatioByExpanding);
        const QRectF target(r.center() - QPointF(filled.width() / 2, filled.height() / 2), filled);
        p.drawImage(target, m_image);
    } else {
        p.setPen(Palette::ink2());
        p.drawText(r.adjusted(captionPad, captionPad, -captionPad, -captionPad),
                   Qt::AlignCenter | Qt::TextWordWrap, m_caption);
    }
    p.restore();
    p.setPen(QPen(Palette::hairline(), 1));
    p.drawPath(shape);
}

#include "Solitask/ui/Shadow.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace {

// The blur radius is read as the Gaussian's standard deviation halved, the
// reading that makes a radius-30 card shadow look like the drawings.
qreal sigmaFor(qreal radius)
{
    return radius / 2.0;
}

// One box-filter pass over `lines` runs of `length` pixels (all four channels
// of premultiplied ARGB, zero outside the image).
void boxPass(uchar *bits, int lines, int length, qsizetype lineStep, qsizetype pixelStep, int r)
{
    std::vector<int> prefix(size_t(length + 1) * 4);
    const int width = 2 * r + 1;
    for (int line = 0; line < lines; ++line) {
        uchar *start = bits + line * lineStep;
        for (int i = 0; i < length; ++i)
            for (int c = 0; c < 4; ++c)
                prefix[size_t(i + 1) * 4 + c]
                    = prefix[size_t(i) * 4 + c] + start[i * pixelStep + c];
        for (int i = 0; i < length; ++i) {
            const size_t hi = size_t(std::min(i + r + 1, length)) * 4;
            const size_t lo = size_t(std::max(i - r, 0)) * 4;
            for (int c = 0; c < 4; ++c)
                start[i * pixelStep + c] = uchar((prefix[hi + c] - prefix[lo + c]) / width);
        }
    }
}

// Three box passes each way approximate a Gaussian of standard deviation sigma.
void blur(QImage &image, qreal sigma)
{
    const int r = int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2));
    if (r < 1)
        return;
    uchar *bits = image.bits();
    const qsizetype line = image.bytesPerLine();
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(bits, image.height(), image.width(), line, 4, r);
        boxPass(bits, image.width(), image.height(), 4, line, r);
    }
}

} // namespace

QMarginsF Shadow::reach() const
{
    const qreal spread = std::ceil(3 * sigmaFor(radius)) + 1;
    return {std::max(0.0, spread - offset.x()), std::max(0.0, spread - offset.y()),
        std::max(0.0, spread + offset.x()), std::max(0.0, spread + offset.y())};
}

void Shadow::paint(QPainter &painter, const QPainterPath &shape) const
{
    if (color.alpha() == 0 || shape.isEmpty())
        return;
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const qreal pad = std::ceil(3 * sigmaFor(radius)) + 1;
    const QRectF area = shape.boundingRect().adjusted(-pad, -pad, pad, pad);
    QImage image((area.size() * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-area.topLeft());
        p.fillPath(shape, color);
    }
    blur(image, sigmaFor(radius) * dpr);
    painter.drawImage(area.topLeft() + offset, image);
}

#include "Solitask/witness/FrameEncoder.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cmath>

namespace {

// Each output pixel is the mean of a 2×2 block, channels summed side by side
// in one word (red and blue in 10-bit lanes, green apart).
QImage halved(const QImage &image)
{
    QImage half(image.width() / 2, image.height() / 2, QImage::Format_RGB32);
    for (int y = 0; y < half.height(); ++y) {
        const auto *top = reinterpret_cast<const quint32 *>(image.constScanLine(2 * y));
        const auto *bottom = reinterpret_cast<const quint32 *>(image.constScanLine(2 * y + 1));
        auto *out = reinterpret_cast<quint32 *>(half.scanLine(y));
        for (int x = 0; x < half.width(); ++x) {
            const quint32 p[4] = {top[2 * x], top[2 * x + 1], bottom[2 * x], bottom[2 * x + 1]};
            quint32 redBlue = 0x00020002;
            quint32 green = 0x00000200;
            for (quint32 pixel : p) {
                redBlue += pixel & 0x00ff00ff;
                green += pixel & 0x0000ff00;
            }
            out[x] = 0xff000000 | ((redBlue >> 2) & 0x00ff00ff) | ((green >> 2) & 0x0000ff00);
        }
    }
    return half;
}

} // namespace

QSize FrameEncoder::frameSize(const QSize &display, int width)
{
    width = std::max(width, minimumWidth);
    const double scale = double(width) / std::max(display.width(), 1);
    const int height = std::max(1, int(std::floor(display.height() * scale)));
    return {width, height};
}

// Smooth scaling costs in proportion to the source: a screen more than twice
// the frame's size is first halved by plain averaging, which gives the same
// picture for a fraction of the work.
QImage FrameEncoder::scaled(const QImage &image, int width)
{
    const QSize target = frameSize(image.size(), width);
    QImage source = image;
    if (source.format() != QImage::Format_RGB32)
        source = source.convertToFormat(QImage::Format_RGB32);
    while (source.width() >= 2 * target.width() && source.height() >= 2 * target.height())
        source = halved(source);
    return source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray FrameEncoder::jpeg(const QImage &image)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return jpeg;
}

QByteArray FrameEncoder::encode(const QImage &image, int width)
{
    if (image.isNull())
        return {};
    return jpeg(scaled(image, width));
}

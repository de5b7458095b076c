#include "Solitask/witness/FrameEncoder.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cmath>

QSize FrameEncoder::frameSize(const QSize &display, int width)
{
    width = std::max(width, minimumWidth);
    const double scale = double(width) / std::max(display.width(), 1);
    const int height = std::max(1, int(std::floor(display.height() * scale)));
    return {width, height};
}

QByteArray FrameEncoder::encode(const QImage &image, int width)
{
    if (image.isNull())
        return {};
    const QImage small = image.scaled(frameSize(image.size(), width), Qt::IgnoreAspectRatio,
        Qt::SmoothTransformation);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(small))
        return {};
    return jpeg;
}

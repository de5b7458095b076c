#include "Solitask/witness/FrameEncoder.h"

#include "Solitask/platform/AreaScale.h"
#include "Solitask/platform/ImageHalving.h"
#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/witness/JpegCompress.h"

#include <algorithm>

QSize FrameEncoder::frameSize(const QSize &display, int width)
{
    return ScreenCapturer::frameSize(display, std::max(width, minimumWidth));
}

// Smooth scaling costs in proportion to the source: a screen more than twice
// the frame's size is first halved by plain averaging (unless the capturer
// already did), which gives the same picture for a fraction of the work. A
// screen narrower than the frame is enlarged by Qt's smooth scale.
QImage FrameEncoder::scaled(const QImage &image, int width)
{
    const QSize target = frameSize(image.size(), width);
    QImage source = image;
    if (source.format() != QImage::Format_RGB32)
        source = source.convertToFormat(QImage::Format_RGB32);
    // A capturer may hand over the frame itself.
    if (source.size() == target)
        return source;
    for (int i = ImageHalving::count(source.size(), target); i > 0; --i)
        source = ImageHalving::halved(source);
    if (source.width() >= target.width() && source.height() >= target.height())
        return AreaScale::shrunk(source, target);
    return source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray FrameEncoder::jpeg(const QImage &image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return JpegCompress::compress(image, quality);
    return JpegCompress::compress(image.convertToFormat(QImage::Format_RGB32), quality);
}

QByteArray FrameEncoder::encode(const QImage &image, int width)
{
    if (image.isNull())
        return {};
    return jpeg(scaled(image, width));
}

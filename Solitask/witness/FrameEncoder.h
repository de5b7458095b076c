#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

/// Turns a screen image, full-size or already reduced, into the small JPEG the
/// witness keeps.
class FrameEncoder
{
public:
    static constexpr int minimumWidth = 320;
    static constexpr int quality = 70;

    /// `width` (at least minimumWidth) by the display's height scaled in
    /// proportion, rounded toward zero, at least 1.
    static QSize frameSize(const QSize &display, int width);
    /// The scaled JPEG, empty when the image cannot be encoded.
    static QByteArray encode(const QImage &image, int width);
    /// The image at `frameSize`, smoothly scaled, read in place.
    static QImage scaled(const QImage &image, int width);
    /// The image as JPEG at `quality`, empty on failure.
    static QByteArray jpeg(const QImage &image);
};

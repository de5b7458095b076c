#pragma once

#include <QByteArray>
#include <QImage>

/// JPEG straight from 32-bit pixels with libjpeg: no row conversion on the
/// way, and the faster integer transform, whose loss is far below what
/// quality 70 throws away.
namespace JpegCompress {

/// Format_RGB32 or Format_ARGB32 (alpha ignored); empty on failure.
QByteArray compress(const QImage &image, int quality);

} // namespace JpegCompress

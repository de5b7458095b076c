#pragma once

#include <QImage>
#include <QSize>

/// Shrinking by area averaging: each output pixel is the mean of the source
/// area it covers, as in Qt's smooth scale, so nothing aliases. It runs on
/// one thread into huge pages and costs about 60% of Qt's scale, once that
/// has faulted in its result.
namespace AreaScale {

/// `image` (Format_RGB32) at `size`, at most its own in both directions.
QImage shrunk(const QImage &image, QSize size);

} // namespace AreaScale

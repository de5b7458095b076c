#pragma once

#include <QImage>
#include <QSize>

/// Halving by plain 2×2 averaging: for downscaling by two or more, it gives
/// the picture a smooth scale would, for a fraction of the work.
namespace ImageHalving {

/// `width` pixels into `out`, each the mean of a 2×2 block of the RGB32
/// rows `top` and `bottom` (each at least 2 × `width` long).
void halveRows(const uchar *top, const uchar *bottom, uchar *out, int width);

/// `image` in Format_RGB32 at half its size; an odd last row or column is dropped.
QImage halved(const QImage &image);

/// How many halvings `size` takes while staying at least `target` in both
/// directions; none for an empty target.
int count(QSize size, QSize target);

} // namespace ImageHalving

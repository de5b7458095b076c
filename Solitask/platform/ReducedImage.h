#pragma once

#include <QImage>
#include <QSize>

/// A picture put together from bands of rows, each band halved `halvings`
/// times as it arrives, so that the full-size picture never exists at once.
/// Rows and columns beyond the last whole block are dropped, as in
/// ImageHalving::halved.
class ReducedImage
{
public:
    ReducedImage(QSize full, int halvings);

    /// Format_RGB32 rows of the full picture from row `top`, a multiple of
    /// 2^halvings; bands arrive top to bottom. The band must be `full` wide.
    void add(const QImage &band, int top);
    /// Null when the memory could not be had.
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
    int m_halvings = 0;
};

#pragma once

#include "Solitask/platform/AreaScale.h"

#include <QImage>
#include <QSize>

#include <memory>

/// A picture put together from bands of rows, each band halved `halvings`
/// times as it arrives, so that the full-size picture never exists at once.
/// Rows and columns beyond the last whole block are dropped, as in
/// ImageHalving::halved. Given a frame size, the halved rows go on to be
/// shrunk to it by area averaging as they come, and the picture is the frame.
class ReducedImage
{
public:
    /// `frame` at most the halved size in both directions, or empty.
    ReducedImage(QSize full, int halvings, QSize frame = {});

    /// Format_RGB32 rows of the full picture from row `top`, a multiple of
    /// 2^halvings; bands arrive top to bottom. The band must be `full` wide.
    void add(const QImage &band, int top);
    /// Null when the memory could not be had.
    const QImage &image() const { return m_frame ? m_frame->image() : m_image; }

private:
    QSize m_size; // after halving
    int m_halvings = 0;
    QImage m_image;
    std::unique_ptr<AreaScale::Rows> m_frame;
};

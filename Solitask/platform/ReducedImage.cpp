#include "Solitask/platform/ReducedImage.h"

#include "Solitask/platform/FreshImage.h"
#include "Solitask/platform/ImageHalving.h"

#include <algorithm>
#include <cstring>

ReducedImage::ReducedImage(QSize full, int halvings, QSize frame)
    : m_size(full.width() >> halvings, full.height() >> halvings)
    , m_halvings(halvings)
{
    if (frame.isEmpty())
        m_image = FreshImage::make(m_size);
    else
        m_frame = std::make_unique<AreaScale::Rows>(m_size, frame);
}

void ReducedImage::add(const QImage &band, int top)
{
    if (image().isNull())
        return;
    // All but the last halving in scratch rows; the last one writes the picture.
    QImage rows = band;
    for (int i = 1; i < m_halvings; ++i)
        rows = ImageHalving::halved(rows);
    const int first = top >> m_halvings;
    const int count
        = std::min(m_halvings ? rows.height() / 2 : rows.height(), m_size.height() - first);
    const size_t bytes = size_t(m_size.width()) * sizeof(QRgb);
    for (int y = 0; y < count; ++y) {
        uchar *out
            = m_frame ? reinterpret_cast<uchar *>(m_frame->next()) : m_image.scanLine(first + y);
        if (m_halvings)
            ImageHalving::halveRows(
                rows.constScanLine(2 * y), rows.constScanLine(2 * y + 1), out, m_size.width());
        else
            std::memcpy(out, rows.constScanLine(y), bytes);
        if (m_frame)
            m_frame->add();
    }
}

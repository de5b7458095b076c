#include "Solitask/platform/ReducedImage.h"

#include "Solitask/platform/FreshImage.h"
#include "Solitask/platform/ImageHalving.h"

#include <algorithm>
#include <cstring>

ReducedImage::ReducedImage(QSize full, int halvings)
    : m_image(FreshImage::make(QSize(full.width() >> halvings, full.height() >> halvings)))
    , m_halvings(halvings)
{
}

void ReducedImage::add(const QImage &band, int top)
{
    if (m_image.isNull())
        return;
    const int first = top >> m_halvings;
    if (m_halvings == 0) {
        const int rows = std::min(band.height(), m_image.height() - first);
        for (int y = 0; y < rows; ++y)
            std::memcpy(m_image.scanLine(first + y), band.constScanLine(y),
                size_t(m_image.width()) * sizeof(QRgb));
        return;
    }
    // All but the last halving in scratch rows; the last one writes the picture.
    QImage rows = band;
    for (int i = 1; i < m_halvings; ++i)
        rows = ImageHalving::halved(rows);
    const int count = std::min(rows.height() / 2, m_image.height() - first);
    for (int y = 0; y < count; ++y)
        ImageHalving::halveRows(rows.constScanLine(2 * y), rows.constScanLine(2 * y + 1),
            m_image.scanLine(first + y), m_image.width());
}

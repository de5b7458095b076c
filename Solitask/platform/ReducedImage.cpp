#include "Solitask/platform/ReducedImage.h"

#include "Solitask/platform/ImageHalving.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <sys/mman.h>

namespace {

struct Mapping
{
    void *start = nullptr;
    size_t length = 0;
};

// The picture is fresh memory every frame (the heap goes back to the system
// in between), and faulting it in page by page costs more than all the
// averaging. Huge pages, where the kernel grants them on request, make it a
// fault or two.
QImage freshImage(QSize size)
{
    constexpr size_t huge = size_t(2) << 20;
    const qsizetype bytesPerLine = qsizetype(size.width()) * qsizetype(sizeof(QRgb));
    const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
    if (bytes < huge / 2)
        return QImage(size, QImage::Format_RGB32);
    const size_t length = (bytes + huge - 1) / huge * huge;
    void *mapped
        = mmap(nullptr, length + huge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return QImage(size, QImage::Format_RGB32);
    // Only whole aligned extents can be huge pages: the slack on either side goes back.
    auto *base = static_cast<uchar *>(mapped);
    auto *start = reinterpret_cast<uchar *>(
        (reinterpret_cast<std::uintptr_t>(base) + huge - 1) & ~std::uintptr_t(huge - 1));
    if (start > base)
        munmap(base, size_t(start - base));
    if (const size_t tail = huge - size_t(start - base))
        munmap(start + length, tail);
#ifdef MADV_HUGEPAGE
    madvise(start, length, MADV_HUGEPAGE);
#endif
    return QImage(
        start, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
        [](void *info) {
            const auto *mapping = static_cast<Mapping *>(info);
            munmap(mapping->start, mapping->length);
            delete mapping;
        },
        new Mapping {start, length});
}

} // namespace

ReducedImage::ReducedImage(QSize full, int halvings)
    : m_image(freshImage(QSize(full.width() >> halvings, full.height() >> halvings)))
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

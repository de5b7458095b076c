#include "Solitask/platform/FreshImage.h"

#include <cstdint>

#include <sys/mman.h>

namespace {

struct Mapping
{
    void *start = nullptr;
    size_t length = 0;
};

} // namespace

QImage FreshImage::make(QSize size)
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

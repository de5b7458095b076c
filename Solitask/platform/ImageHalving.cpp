#include "Solitask/platform/ImageHalving.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Channels are summed side by side in one word (red and blue in 10-bit lanes,
// green apart), with 2 added per channel so that the mean rounds.
quint32 mean(quint32 a, quint32 b, quint32 c, quint32 d)
{
    quint32 redBlue = 0x00020002;
    quint32 green = 0x00000200;
    for (quint32 pixel : {a, b, c, d}) {
        redBlue += pixel & 0x00ff00ff;
        green += pixel & 0x0000ff00;
    }
    return 0xff000000 | ((redBlue >> 2) & 0x00ff00ff) | ((green >> 2) & 0x0000ff00);
}

#ifdef __SSE2__
// The same sums and rounding, four output pixels at a time in 16-bit lanes:
// this loop is most of a frame's work.
int halveFour(const quint32 *upper, const quint32 *lower, quint32 *out, int width)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i two = _mm_set1_epi16(2);
    const __m128i opaque = _mm_set1_epi32(int(0xff000000));
    const auto load
        = [](const quint32 *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); };
    // Two output pixels' channel sums from four pixels of each row.
    const auto sums = [&](__m128i top, __m128i bottom) {
        const __m128i left
            = _mm_add_epi16(_mm_unpacklo_epi8(top, zero), _mm_unpacklo_epi8(bottom, zero));
        const __m128i right
            = _mm_add_epi16(_mm_unpackhi_epi8(top, zero), _mm_unpackhi_epi8(bottom, zero));
        const __m128i sum
            = _mm_add_epi16(_mm_unpacklo_epi64(left, right), _mm_unpackhi_epi64(left, right));
        return _mm_srli_epi16(_mm_add_epi16(sum, two), 2);
    };
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i first = sums(load(upper + 2 * x), load(lower + 2 * x));
        const __m128i second = sums(load(upper + 2 * x + 4), load(lower + 2 * x + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x),
            _mm_or_si128(_mm_packus_epi16(first, second), opaque));
    }
    return x;
}
#else
int halveFour(const quint32 *, const quint32 *, quint32 *, int)
{
    return 0;
}
#endif

} // namespace

void ImageHalving::halveRows(const uchar *top, const uchar *bottom, uchar *out, int width)
{
    const auto *upper = reinterpret_cast<const quint32 *>(top);
    const auto *lower = reinterpret_cast<const quint32 *>(bottom);
    auto *result = reinterpret_cast<quint32 *>(out);
    for (int x = halveFour(upper, lower, result, width); x < width; ++x)
        result[x] = mean(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
}

QImage ImageHalving::halved(const QImage &image)
{
    QImage half(image.width() / 2, image.height() / 2, QImage::Format_RGB32);
    for (int y = 0; y < half.height(); ++y)
        halveRows(image.constScanLine(2 * y), image.constScanLine(2 * y + 1), half.scanLine(y),
            half.width());
    return half;
}

int ImageHalving::count(QSize size, QSize target)
{
    if (target.isEmpty())
        return 0;
    int halvings = 0;
    while (size.width() >= 2 * target.width() && size.height() >= 2 * target.height()) {
        size = QSize(size.width() / 2, size.height() / 2);
        ++halvings;
    }
    return halvings;
}

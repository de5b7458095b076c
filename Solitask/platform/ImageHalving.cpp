#include "Solitask/platform/ImageHalving.h"

#ifdef __SSE2__
#include <immintrin.h>
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

// Eight output pixels per step where the processor has AVX2; each 128-bit
// half does what halveFour does.
__attribute__((target("avx2"))) int halveEight(
    const quint32 *upper, const quint32 *lower, quint32 *out, int width)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i two = _mm256_set1_epi16(2);
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const auto *top = reinterpret_cast<const __m256i *>(upper + 2 * x);
        const auto *bottom = reinterpret_cast<const __m256i *>(lower + 2 * x);
        const __m256i a = _mm256_loadu_si256(top), b = _mm256_loadu_si256(top + 1);
        const __m256i c = _mm256_loadu_si256(bottom), d = _mm256_loadu_si256(bottom + 1);
        // Source pixels 0-3 and 8-11 in one pair of registers, 4-7 and 12-15
        // in the other, so that packing keeps the output order.
        __m256i halves[2];
        for (int i = 0; i < 2; ++i) {
            const __m256i t = i == 0 ? _mm256_permute2x128_si256(a, b, 0x20)
                                     : _mm256_permute2x128_si256(a, b, 0x31);
            const __m256i u = i == 0 ? _mm256_permute2x128_si256(c, d, 0x20)
                                     : _mm256_permute2x128_si256(c, d, 0x31);
            const __m256i left
                = _mm256_add_epi16(_mm256_unpacklo_epi8(t, zero), _mm256_unpacklo_epi8(u, zero));
            const __m256i right
                = _mm256_add_epi16(_mm256_unpackhi_epi8(t, zero), _mm256_unpackhi_epi8(u, zero));
            const __m256i sum = _mm256_add_epi16(
                _mm256_unpacklo_epi64(left, right), _mm256_unpackhi_epi64(left, right));
            halves[i] = _mm256_srli_epi16(_mm256_add_epi16(sum, two), 2);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + x),
            _mm256_or_si256(_mm256_packus_epi16(halves[0], halves[1]), opaque));
    }
    return x;
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#else
int halveFour(const quint32 *, const quint32 *, quint32 *, int)
{
    return 0;
}

int halveEight(const quint32 *, const quint32 *, quint32 *, int)
{
    return 0;
}

bool hasAvx2()
{
    return false;
}
#endif

} // namespace

void ImageHalving::halveRows(const uchar *top, const uchar *bottom, uchar *out, int width)
{
    const auto *upper = reinterpret_cast<const quint32 *>(top);
    const auto *lower = reinterpret_cast<const quint32 *>(bottom);
    auto *result = reinterpret_cast<quint32 *>(out);
    int x = hasAvx2() ? halveEight(upper, lower, result, width) : 0;
    x += halveFour(upper + 2 * x, lower + 2 * x, result + x, width - x);
    for (; x < width; ++x)
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

#include "Solitask/platform/AreaScale.h"

#include "Solitask/platform/FreshImage.h"

#include <algorithm>
#include <vector>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace {

/// The source pixels one output pixel covers along an axis.
struct Span
{
    int first = 0;
    int count = 0;
    int weights = 0; // index of the first weight
};

/// Every output pixel's span, and weights in 1/256 that sum to 256 per span,
/// which keeps a channel's weighted sum within 16 bits.
struct Axis
{
    std::vector<Span> spans;
    std::vector<quint16> weights;
};

Axis axis(int from, int to)
{
    Axis result;
    result.spans.reserve(size_t(to));
    result.weights.reserve(size_t(from) + size_t(to)); // a span shares at most its ends
    for (int i = 0; i < to; ++i) {
        // Positions in 1/to of a source pixel; weights rounded where they
        // accumulate, so that every span's sum is exactly 256.
        const qint64 begin = qint64(i) * from, end = qint64(i + 1) * from;
        const auto at
            = [&](qint64 position) { return ((position - begin) * 256 + from / 2) / from; };
        const Span span {
            int(begin / to), int((end - 1) / to - begin / to + 1), int(result.weights.size())};
        for (int j = span.first; j < span.first + span.count; ++j)
            result.weights.push_back(quint16(
                at(std::min(end, qint64(j + 1) * to)) - at(std::max(begin, qint64(j) * to))));
        result.spans.push_back(span);
    }
    return result;
}

/// Weighted channel sums, red and blue in 16-bit lanes of one word.
struct Sum
{
    quint32 redBlue = 0;
    quint32 green = 0;

    void add(quint32 pixel, quint32 weight)
    {
        redBlue += (pixel & 0x00ff00ff) * weight;
        green += (pixel & 0x0000ff00) * weight;
    }
    quint32 pixel() const
    {
        return 0xff000000 | (((redBlue + 0x00800080) >> 8) & 0x00ff00ff)
            | (((green + 0x8000) >> 8) & 0x0000ff00);
    }
};

#ifdef __SSE2__
// Four pixels at a time, each channel in a 16-bit lane; the same sums and rounding.
int columnsFour(const std::vector<const quint32 *> &lines, const quint16 *weights, int from,
    int width, quint32 *out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    int x = from;
    for (; x + 4 <= width; x += 4) {
        __m128i low = zero, high = zero;
        for (size_t k = 0; k < lines.size(); ++k) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(lines[k] + x));
            const __m128i weight = _mm_set1_epi16(short(weights[k]));
            low = _mm_add_epi16(low, _mm_mullo_epi16(_mm_unpacklo_epi8(pixels, zero), weight));
            high = _mm_add_epi16(high, _mm_mullo_epi16(_mm_unpackhi_epi8(pixels, zero), weight));
        }
        low = _mm_srli_epi16(_mm_add_epi16(low, half), 8);
        high = _mm_srli_epi16(_mm_add_epi16(high, half), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x), _mm_packus_epi16(low, high));
    }
    return x;
}

/// Each output pixel's weights for up to four source pixels, laid out once
/// in two registers of two pixels each; empty when a pixel covers more.
struct TwoTaps
{
    __m128i first, second;
};
using Taps = std::vector<TwoTaps>;

Taps fourTaps(const Axis &axis)
{
    Taps taps;
    taps.reserve(axis.spans.size());
    for (const Span &span : axis.spans) {
        if (span.count > 4)
            return {};
        quint16 w[4] = {};
        std::copy_n(&axis.weights[size_t(span.weights)], span.count, w);
        const auto pair = [&w](int a, int b) {
            return _mm_set_epi16(short(w[b]), short(w[b]), short(w[b]), short(w[b]), short(w[a]),
                short(w[a]), short(w[a]), short(w[a]));
        };
        taps.push_back({pair(0, 1), pair(2, 3)});
    }
    return taps;
}

// `row` is readable four pixels past any span's start.
void acrossFour(const quint32 *row, const Axis &axis, const Taps &taps, quint32 *out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    for (size_t x = 0; x < axis.spans.size(); ++x) {
        const __m128i pixels
            = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + axis.spans[x].first));
        __m128i sum = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pixels, zero), taps[x].first),
            _mm_mullo_epi16(_mm_unpackhi_epi8(pixels, zero), taps[x].second));
        sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));
        sum = _mm_srli_epi16(_mm_add_epi16(sum, half), 8);
        out[x] = quint32(_mm_cvtsi128_si32(_mm_packus_epi16(sum, zero))) | 0xff000000;
    }
}

// The same sums with two output pixels (or eight columns) per register where
// the processor has AVX2; each 128-bit half does what the SSE2 code does.
__attribute__((target("avx2"))) int columnsEight(
    const std::vector<const quint32 *> &lines, const quint16 *weights, int width, quint32 *out)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi16(128);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        __m256i low = zero, high = zero;
        for (size_t k = 0; k < lines.size(); ++k) {
            const __m256i pixels
                = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lines[k] + x));
            const __m256i weight = _mm256_set1_epi16(short(weights[k]));
            low = _mm256_add_epi16(low, _mm256_mullo_epi16(_mm256_unpacklo_epi8(pixels, zero), weight));
            high = _mm256_add_epi16(high, _mm256_mullo_epi16(_mm256_unpackhi_epi8(pixels, zero), weight));
        }
        low = _mm256_srli_epi16(_mm256_add_epi16(low, half), 8);
        high = _mm256_srli_epi16(_mm256_add_epi16(high, half), 8);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + x), _mm256_packus_epi16(low, high));
    }
    return x;
}

// An output pixel's four source pixels widened to 16-bit channels and
// weighted, in one register (a TwoTaps is that register's weights).
__attribute__((target("avx2"))) __m256i weighted(const quint32 *pixels, const TwoTaps &taps)
{
    return _mm256_mullo_epi16(
        _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(pixels))),
        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(&taps)));
}

// Each lane of the result: `a`'s low lane plus its high lane, then `b`'s.
__attribute__((target("avx2"))) __m256i fold(__m256i a, __m256i b)
{
    return _mm256_add_epi16(
        _mm256_permute2x128_si256(a, b, 0x20), _mm256_permute2x128_si256(a, b, 0x31));
}

// Four output pixels per step, their weighted sums folded together lane by lane.
__attribute__((target("avx2"))) void acrossEight(
    const quint32 *row, const Axis &axis, const Taps &taps, quint32 *out)
{
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 0, 4, 1, 5);
    const __m128i opaque = _mm_set1_epi32(int(0xff000000));
    const size_t count = axis.spans.size();
    const auto source = [&](size_t i) { return row + axis.spans[i].first; };
    size_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m256i a = fold(weighted(source(x), taps[x]), weighted(source(x + 1), taps[x + 1]));
        const __m256i b
            = fold(weighted(source(x + 2), taps[x + 2]), weighted(source(x + 3), taps[x + 3]));
        // Lanes hold pixels x, x + 2 and x + 1, x + 3.
        __m256i sum = _mm256_add_epi16(_mm256_unpacklo_epi64(a, b), _mm256_unpackhi_epi64(a, b));
        sum = _mm256_srli_epi16(_mm256_add_epi16(sum, half), 8);
        const __m256i packed = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(sum, sum), order);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x),
            _mm_or_si128(_mm256_castsi256_si128(packed), opaque));
    }
    for (; x < count; ++x) {
        const __m128i z = _mm_setzero_si128();
        const __m128i pixels
            = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + axis.spans[x].first));
        __m128i sum = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pixels, z), taps[x].first),
            _mm_mullo_epi16(_mm_unpackhi_epi8(pixels, z), taps[x].second));
        sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));
        sum = _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
        out[x] = quint32(_mm_cvtsi128_si32(_mm_packus_epi16(sum, z))) | 0xff000000;
    }
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#else
using Taps = std::vector<int>;

int columnsFour(const std::vector<const quint32 *> &, const quint16 *, int from, int, quint32 *)
{
    return from;
}

Taps fourTaps(const Axis &)
{
    return {};
}

void acrossFour(const quint32 *, const Axis &, const Taps &, quint32 *) { }

int columnsEight(const std::vector<const quint32 *> &, const quint16 *, int, quint32 *)
{
    return 0;
}

void acrossEight(const quint32 *, const Axis &, const Taps &, quint32 *) { }

bool hasAvx2()
{
    return false;
}
#endif

// One output row's worth of source rows, averaged down the columns.
void columns(
    const std::vector<const quint32 *> &lines, const quint16 *weights, int width, quint32 *out)
{
    const int wide = hasAvx2() ? columnsEight(lines, weights, width, out) : 0;
    for (int x = columnsFour(lines, weights, wide, width, out); x < width; ++x) {
        Sum sum;
        for (size_t k = 0; k < lines.size(); ++k)
            sum.add(lines[k][x], weights[k]);
        out[x] = sum.pixel();
    }
}

void across(const quint32 *row, const Axis &axis, const Taps &taps, quint32 *out)
{
    if (!taps.empty()) {
        if (hasAvx2())
            acrossEight(row, axis, taps, out);
        else
            acrossFour(row, axis, taps, out);
        return;
    }
    for (size_t x = 0; x < axis.spans.size(); ++x) {
        const Span &span = axis.spans[x];
        Sum sum;
        for (int k = 0; k < span.count; ++k)
            sum.add(row[span.first + k], axis.weights[size_t(span.weights + k)]);
        out[x] = sum.pixel();
    }
}

} // namespace

struct AreaScale::Plan
{
    Plan(QSize from, QSize to)
        : sideways(axis(from.width(), to.width()))
        , taps(fourTaps(sideways))
        , down(axis(from.height(), to.height()))
        , row(size_t(from.width()) + 4) // room for a last four-pixel load
    {
    }

    // Output row `y` from the source rows its span covers.
    void make(int y, const std::vector<const quint32 *> &lines, QImage &result)
    {
        const Span &span = down.spans[size_t(y)];
        columns(lines, &down.weights[size_t(span.weights)], int(row.size()) - 4, row.data());
        across(row.data(), sideways, taps, reinterpret_cast<quint32 *>(result.scanLine(y)));
    }

    Axis sideways;
    Taps taps;
    Axis down;
    std::vector<quint32> row;
};

QImage AreaScale::shrunk(const QImage &image, QSize size)
{
    QImage result = FreshImage::make(size);
    if (result.isNull())
        return {};
    Plan plan(image.size(), size);
    std::vector<const quint32 *> lines;
    for (int y = 0; y < size.height(); ++y) {
        const Span &span = plan.down.spans[size_t(y)];
        lines.clear();
        for (int k = 0; k < span.count; ++k)
            lines.push_back(reinterpret_cast<const quint32 *>(image.constScanLine(span.first + k)));
        plan.make(y, lines, result);
    }
    return result;
}

AreaScale::Rows::Rows(QSize from, QSize to)
    : m_plan(std::make_unique<Plan>(from, to))
    , m_image(FreshImage::make(to))
    , m_width(from.width())
{
    for (const Span &span : m_plan->down.spans)
        m_depth = std::max(m_depth, span.count);
    m_ring.resize(size_t(m_depth) * size_t(m_width));
}

AreaScale::Rows::~Rows() = default;

quint32 *AreaScale::Rows::next()
{
    return m_ring.data() + size_t(m_added % m_depth) * size_t(m_width);
}

// An output row is made the moment its last source row is in, so the rows it
// needs are the ring's last `span.count`.
void AreaScale::Rows::add()
{
    ++m_added;
    const auto &spans = m_plan->down.spans;
    for (; m_made < int(spans.size()); ++m_made) {
        const Span &span = spans[size_t(m_made)];
        if (span.first + span.count > m_added)
            return;
        m_lines.clear();
        for (int k = span.first; k < span.first + span.count; ++k)
            m_lines.push_back(m_ring.data() + size_t(k % m_depth) * size_t(m_width));
        if (!m_image.isNull())
            m_plan->make(m_made, m_lines, m_image);
    }
}

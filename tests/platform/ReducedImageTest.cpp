#include "Solitask/platform/ReducedImage.h"
#include "Solitask/platform/AreaScale.h"
#include "Solitask/platform/ImageHalving.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (y * 53 + x) % 256));
    return image;
}

// A frame made band by band, the halved picture never whole, must be the one
// made from the whole picture: rows kept across band edges and the ring of
// rows an output row covers show here.
TEST(ReducedImage, AFrameMadeBandByBandIsTheFrameOfTheWholePicture)
{
    struct Case
    {
        QSize full;
        int halvings, band;
        QSize frame;
    };
    const Case cases[] = {
        {{1920, 1080}, 1, 128, {784, 441}}, {{1366, 768}, 0, 128, {784, 440}},
        {{1285, 803}, 2, 64, {320, 199}},
        {{700, 500}, 1, 8, {100, 30}}, // an output row covers many source rows
    };
    for (const Case &c : cases) {
        const QImage full = pattern(c.full);
        QImage whole = full;
        for (int i = 0; i < c.halvings; ++i)
            whole = ImageHalving::halved(whole);
        ReducedImage banded(c.full, c.halvings, c.frame);
        for (int top = 0; top < c.full.height(); top += c.band)
            banded.add(
                full.copy(0, top, c.full.width(), std::min(c.band, c.full.height() - top)), top);
        EXPECT_EQ(banded.image(), AreaScale::shrunk(whole, c.frame)) << c.full.width();
    }
}

} // namespace

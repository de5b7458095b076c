#include "Solitask/witness/FrameEncoder.h"

#include "Solitask/platform/ImageHalving.h"

#include <QColor>

#include <algorithm>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage checkerboard(QSize size, QRgb a, QRgb b)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? a : b);
    return image;
}

// Large screens are halved before the smooth scale: every channel must be
// averaged on its own, whatever the neighbours hold.
TEST(FrameEncoder, ScaledFramesKeepSizeAndTheMeanOfEveryChannel)
{
    struct Case
    {
        QSize screen;
        QRgb a, b, mean;
    };
    const Case cases[] = {
        {{1920, 1080}, 0xffc86432, 0xffc86432, 0xffc86432},
        {{2560, 1600}, 0xffff0000, 0xff0000ff, 0xff800080},
        {{1921, 1081}, 0xffffffff, 0xff000000, 0xff808080},
        {{1000, 700}, 0xff00ff00, 0xff00ff00, 0xff00ff00},
    };
    for (const Case &c : cases) {
        const QImage frame = FrameEncoder::scaled(checkerboard(c.screen, c.a, c.b), 784);
        EXPECT_EQ(frame.size(), FrameEncoder::frameSize(c.screen, 784));
        const QColor got = frame.pixelColor(frame.width() / 2, frame.height() / 2);
        const QColor want = QColor::fromRgb(c.mean);
        EXPECT_NEAR(got.red(), want.red(), 2) << c.screen.width();
        EXPECT_NEAR(got.green(), want.green(), 2) << c.screen.width();
        EXPECT_NEAR(got.blue(), want.blue(), 2) << c.screen.width();
    }
}

// The area average must agree with Qt's smooth scale pixel by pixel: a
// vector path that mixes up neighbours or channels shows here, where a flat
// or checkered picture would hide it.
TEST(FrameEncoder, ScaledFramesMatchQtsSmoothScaleEverywhere)
{
    for (const QSize screen : {QSize(960, 540), QSize(1366, 768), QSize(1003, 701)}) {
        QImage image(screen, QImage::Format_RGB32);
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                image.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, ((x + y) * 3) % 256));
        const QImage ours = FrameEncoder::scaled(image, 784);
        const QImage qt = image.scaled(ours.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int worst = 0;
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x) {
                const QRgb a = ours.pixel(x, y), b = qt.pixel(x, y);
                worst = std::max({worst, qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                    qAbs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(worst, 4) << screen.width();
    }
}

// Halving is exact: each channel the rounded mean of its 2×2 block, on every
// vector path and the tail after it.
TEST(FrameEncoder, HalvingIsTheExactMeanOfEachBlock)
{
    QImage image(2 * 37 + 1, 6, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * 91) % 256, (y * 53 + x) % 256));
    const QImage half = ImageHalving::halved(image);
    ASSERT_EQ(half.size(), QSize(37, 3));
    for (int y = 0; y < half.height(); ++y)
        for (int x = 0; x < half.width(); ++x) {
            const QRgb p[] = {image.pixel(2 * x, 2 * y), image.pixel(2 * x + 1, 2 * y),
                image.pixel(2 * x, 2 * y + 1), image.pixel(2 * x + 1, 2 * y + 1)};
            const auto mean = [&p](int (*channel)(QRgb)) {
                return (channel(p[0]) + channel(p[1]) + channel(p[2]) + channel(p[3]) + 2) / 4;
            };
            ASSERT_EQ(half.pixel(x, y), qRgb(mean(qRed), mean(qGreen), mean(qBlue)))
                << x << "," << y;
        }
}

// Pixels go to the compressor as they lie in memory: a wrong channel order
// would turn red into blue without any error.
TEST(FrameEncoder, JpegKeepsEveryChannelInPlaceWhateverTheFormat)
{
    for (const QImage::Format format :
        {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888}) {
        QImage image(64, 48, format);
        image.fill(QColor(200, 100, 30));
        QImage decoded;
        ASSERT_TRUE(decoded.loadFromData(FrameEncoder::jpeg(image), "JPEG")) << format;
        EXPECT_EQ(decoded.size(), image.size());
        const QColor got = decoded.pixelColor(32, 24);
        EXPECT_NEAR(got.red(), 200, 4) << format;
        EXPECT_NEAR(got.green(), 100, 4) << format;
        EXPECT_NEAR(got.blue(), 30, 4) << format;
    }
    EXPECT_TRUE(FrameEncoder::jpeg(QImage()).isEmpty());
}

} // namespace

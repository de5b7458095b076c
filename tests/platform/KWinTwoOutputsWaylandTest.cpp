// On a KWin with two outputs side by side, a frame shows the output KWin
// calls active (here the active window's; by default the pointer's).

#include "Solitask/platform/PlatformServices.h"
#include "support/KWinDesktop.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

bool near(QRgb pixel, QRgb expected)
{
    return qAbs(qRed(pixel) - qRed(expected)) < 24 && qAbs(qGreen(pixel) - qGreen(expected)) < 24
        && qAbs(qBlue(pixel) - qBlue(expected)) < 24;
}

TEST(KWinTwoOutputs, TheFrameShowsTheActiveOutput)
{
    KWinDesktop desktop;
    ASSERT_TRUE(
        desktop.openNative(QStringLiteral("solitask.test.left"), QStringLiteral("Left"), "00ff00"));
    ASSERT_TRUE(desktop.openNative(
        QStringLiteral("solitask.test.right"), QStringLiteral("Right"), "0000ff"));
    PlatformServices platform
        = PlatformServices::forThisSession({{QStringLiteral("Solitask"), QStringLiteral("solitask"),
                                                qint32(QCoreApplication::applicationPid())},
            QStringLiteral("/bin/true")});
    const struct
    {
        QString title;
        QPoint at;
        QRgb colour;
    } cases[] = {
        {QStringLiteral("Right"), {1280 + 100, 100}, qRgb(0, 0, 255)},
        {QStringLiteral("Left"), {100, 100}, qRgb(0, 255, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        CaptureResult frame;
        KWinDesktop::waitUntil([&] {
            desktop.place(c.title, c.at.x(), c.at.y(), true);
            std::optional<CaptureResult> result;
            platform.capturer->capture(
                {}, 0, [&result](CaptureResult r) { result = std::move(r); });
            KWinDesktop::waitUntil([&result] { return result.has_value(); });
            frame = result.value_or(CaptureResult::failure(QStringLiteral("no answer")));
            return frame.ok() && frame.image.width() == 1280
                && near(frame.image.pixel(300, 300), c.colour);
        });
        ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
        EXPECT_EQ(frame.image.size(), QSize(1280, 800));
        EXPECT_TRUE(near(frame.image.pixel(300, 300), c.colour));
    }
}

} // namespace

// On a KWin with two outputs side by side, a frame shows the output under the
// pointer, which KWin calls active; moving the pointer alone changes it.

#include "Solitask/platform/PlatformServices.h"
#include "support/KWinDesktop.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using namespace DesktopTestKit;

TEST(KWinTwoOutputs, TheFrameShowsTheOutputUnderThePointer)
{
    KWinDesktop desktop;
    ASSERT_TRUE(
        desktop.openNative(QStringLiteral("solitask.test.left"), QStringLiteral("Left"), "00ff00"));
    ASSERT_TRUE(desktop.openNative(
        QStringLiteral("solitask.test.right"), QStringLiteral("Right"), "0000ff"));
    PlatformServices platform = services();
    const struct
    {
        QPoint pointer;
        QRgb colour;
    } cases[] = {
        {{1280 + 640, 400}, qRgb(0, 0, 255)},
        {{640, 400}, qRgb(0, 255, 0)},
        {{1280 + 900, 700}, qRgb(0, 0, 255)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pointer.x());
        CaptureResult frame;
        waitUntil([&] {
            desktop.place(QStringLiteral("Left"), 100, 100);
            desktop.place(QStringLiteral("Right"), 1280 + 100, 100);
            KWinDesktop::point(c.pointer);
            std::optional<CaptureResult> result;
            platform.capturer->capture(
                {}, 0, [&result](CaptureResult r) { result = std::move(r); });
            waitUntil([&result] { return result.has_value(); });
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

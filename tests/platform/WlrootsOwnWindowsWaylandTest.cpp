// This process's own windows on XWayland, the unmanaged one that sway's
// window list leaves out included, are painted over in frames.

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/wayland/ScreenCapturerWlroots.h"
#include "support/SwayDesktop.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace DesktopTestKit;

TEST(WlrootsOwnWindows, ManagedAndUnmanagedOwnWindowsArePaintedOver)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    SwayDesktop desktop;
    ASSERT_TRUE(desktop.openNative(
        QStringLiteral("solitask.test.plain"), QStringLiteral("Plain"), "00ff00"));
    PlatformServices platform = services();
    // Like the strip: unmanaged, at a place of its own choosing.
    std::unique_ptr<QWidget> strip(colourWindow(Qt::Tool | Qt::FramelessWindowHint
            | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint,
        QRect(400, 0, 480, 120), Qt::red));
    const QList<QPoint> own {{640, 60}};
    CaptureResult frame;
    // Before the unmanaged window is drawn the place shows green; after, never red.
    waitUntil([&] {
        platform.capturer->capture({}, 0, [&frame](CaptureResult r) { frame = std::move(r); });
        return frame.ok() && strip->isVisible()
            && near(frame.image.pixel(own.first()), ScreenCapturerWlroots::blankColour);
    });
    ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
    EXPECT_TRUE(near(frame.image.pixel(640, 60), ScreenCapturerWlroots::blankColour));
    EXPECT_TRUE(near(frame.image.pixel(640, 400), qRgb(0, 255, 0)));
}

} // namespace

// This process's own windows on XWayland under KWin, the unmanaged one that
// KWin's window list leaves out included, are painted over in frames.

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/wayland/SceneBlanking.h"
#include "support/KWinDesktop.h"
#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace DesktopTestKit;

TEST(KWinOwnWindows, ManagedAndUnmanagedOwnWindowsArePaintedOver)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    KWinDesktop desktop;
    ASSERT_TRUE(desktop.openNative(
        QStringLiteral("solitask.test.plain"), QStringLiteral("Plain"), "00ff00"));
    PlatformServices platform = services();
    // Like the strip: unmanaged, at a place of its own choosing; and a window
    // KWin manages and places.
    const auto strip = colourWindow(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::X11BypassWindowManagerHint,
        QRect(400, 0, 480, 120), Qt::red);
    const auto managed = colourWindow(Qt::Window, QRect(0, 0, 300, 200), Qt::blue);
    const auto ownPlaces = [&] {
        return QList<QPoint> {{640, 60}, managed->frameGeometry().center()};
    };
    CaptureResult frame;
    waitUntil([&] {
        desktop.place(QStringLiteral("Plain"), 300, 300);
        std::optional<CaptureResult> result;
        platform.capturer->capture({}, 0, [&result](CaptureResult r) { result = std::move(r); });
        waitUntil([&result] { return result.has_value(); });
        frame = result.value_or(CaptureResult::failure(QStringLiteral("no answer")));
        const QList<QPoint> own = ownPlaces();
        return frame.ok() && managed->isVisible()
            && near(frame.image.pixel(500, 500), qRgb(0, 255, 0))
            && std::all_of(own.begin(), own.end(),
                [&](QPoint p) { return near(frame.image.pixel(p), SceneBlanking::colour); });
    });
    ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
    for (const QPoint &p : ownPlaces())
        EXPECT_TRUE(near(frame.image.pixel(p), SceneBlanking::colour)) << p.x() << "," << p.y();
    EXPECT_TRUE(near(frame.image.pixel(500, 500), qRgb(0, 255, 0)));
}

} // namespace

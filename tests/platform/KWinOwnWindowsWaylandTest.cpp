// This process's own windows on XWayland under KWin, the unmanaged one that
// KWin's window list leaves out included, are painted over in frames.

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/wayland/SceneBlanking.h"
#include "support/KWinDesktop.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

bool near(QRgb pixel, QRgb expected)
{
    return qAbs(qRed(pixel) - qRed(expected)) < 24 && qAbs(qGreen(pixel) - qGreen(expected)) < 24
        && qAbs(qBlue(pixel) - qBlue(expected)) < 24;
}

std::unique_ptr<QWidget> window(Qt::WindowFlags flags, const QRect &where, const QColor &colour)
{
    auto widget = std::make_unique<QWidget>(nullptr, flags);
    widget->setStyleSheet(QStringLiteral("background: %1").arg(colour.name()));
    widget->setAttribute(Qt::WA_StyledBackground);
    widget->setGeometry(where);
    widget->show();
    return widget;
}

TEST(KWinOwnWindows, ManagedAndUnmanagedOwnWindowsArePaintedOver)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    KWinDesktop desktop;
    ASSERT_TRUE(desktop.openNative(
        QStringLiteral("solitask.test.plain"), QStringLiteral("Plain"), "00ff00"));
    PlatformServices platform
        = PlatformServices::forThisSession({{QStringLiteral("Solitask"), QStringLiteral("solitask"),
                                                qint32(QCoreApplication::applicationPid())},
            QStringLiteral("/bin/true")});
    // Like the strip: unmanaged, at a place of its own choosing; and a window
    // KWin manages and places.
    const auto strip = window(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::X11BypassWindowManagerHint,
        QRect(400, 0, 480, 120), Qt::red);
    const auto managed = window(Qt::Window, QRect(0, 0, 300, 200), Qt::blue);
    const auto ownPlaces = [&] {
        return QList<QPoint> {{640, 60}, managed->frameGeometry().center()};
    };
    CaptureResult frame;
    KWinDesktop::waitUntil([&] {
        desktop.place(QStringLiteral("Plain"), 300, 300);
        std::optional<CaptureResult> result;
        platform.capturer->capture({}, 0, [&result](CaptureResult r) { result = std::move(r); });
        KWinDesktop::waitUntil([&result] { return result.has_value(); });
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

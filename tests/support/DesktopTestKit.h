#pragma once

// What every test of a desktop's backends needs: the platform for this
// session, a frame whether the capturer answers at once or later, colours
// matched with room for scaling and compression, and a wait that keeps the
// event loop running.

#include "Solitask/platform/PlatformServices.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace DesktopTestKit {

inline PlatformServices services()
{
    return PlatformServices::forThisSession(
        {{QStringLiteral("Solitask"), QStringLiteral("solitask"),
             qint32(QCoreApplication::applicationPid())},
            QStringLiteral("/bin/true")});
}

inline bool near(QRgb pixel, QRgb expected)
{
    return qAbs(qRed(pixel) - qRed(expected)) < 24 && qAbs(qGreen(pixel) - qGreen(expected)) < 24
        && qAbs(qBlue(pixel) - qBlue(expected)) < 24;
}

/// How many pixels of every other row and column are near `colour`.
inline int count(const QImage &frame, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < frame.height(); y += 2)
        for (int x = 0; x < frame.width(); x += 2)
            n += near(frame.pixel(x, y), colour);
    return n;
}

/// Waits, with the event loop running, until `done` holds.
inline bool waitUntil(const std::function<bool()> &done, int ms = 5000)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

inline CaptureResult capture(PlatformServices &platform, const QStringList &hidden)
{
    std::optional<CaptureResult> result;
    platform.capturer->capture(hidden, 0, [&result](CaptureResult r) { result = std::move(r); });
    waitUntil([&result] { return result.has_value(); }, 15000);
    return result.value_or(CaptureResult::failure(QStringLiteral("no answer")));
}

/// A window of ours filled with `colour`, shown at `where`.
inline std::unique_ptr<QWidget> colourWindow(
    Qt::WindowFlags flags, const QRect &where, const QColor &colour)
{
    auto widget = std::make_unique<QWidget>(nullptr, flags);
    widget->setStyleSheet(QStringLiteral("background: %1").arg(colour.name()));
    widget->setAttribute(Qt::WA_StyledBackground);
    widget->setGeometry(where);
    widget->show();
    return widget;
}

} // namespace DesktopTestKit

#include "Solitask/platform/wayland/SceneBlanking.h"

#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

namespace SceneBlanking {

QList<StackedWindow> ownWindows()
{
    QList<StackedWindow> windows;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return windows;
    for (const QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible())
            windows.append(StackedWindow(window->frameGeometry(), true));
    }
    return windows;
}

// Layout coordinates and the buffer's pixels differ by the output's scale.
void paint(QImage &image, const WaylandScene &scene)
{
    QRegion region = BlankRegion::compute(scene.windows);
    if (region.isEmpty())
        return;
    const QRect output = scene.outputRect.isEmpty() ? image.rect() : scene.outputRect;
    const qreal scale = qreal(image.width()) / output.width();
    region.translate(-output.topLeft());
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &rect : region) {
        const QRectF scaled(
            rect.x() * scale, rect.y() * scale, rect.width() * scale, rect.height() * scale);
        painter.fillRect(scaled.toAlignedRect(), QColor::fromRgb(colour));
    }
}

std::optional<CaptureResult> refusal(const std::optional<WaylandScene> &scene)
{
    if (!scene)
        return CaptureResult::unsure(QStringLiteral("the window list could not be read"));
    if (!scene->unplacedPrivateApp.isEmpty())
        return CaptureResult::unsure(
            QStringLiteral("%1 has a window open and this desktop does not tell where")
                .arg(scene->unplacedPrivateApp));
    return std::nullopt;
}

CaptureResult finish(
    QImage image, const WaylandScene &before, const std::optional<WaylandScene> &after)
{
    if (!after || !after->unplacedPrivateApp.isEmpty())
        return CaptureResult::unsure(QStringLiteral("the windows changed during the capture"));
    WaylandScene later = *after;
    later.outputRect = before.outputRect;
    later.windows += ownWindows();
    paint(image, before);
    paint(image, later);
    return {image, QString(), false};
}

} // namespace SceneBlanking

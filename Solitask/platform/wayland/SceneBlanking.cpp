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

} // namespace SceneBlanking

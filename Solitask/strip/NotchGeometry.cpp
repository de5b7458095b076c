#include "Solitask/strip/NotchGeometry.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace NotchGeometry {

namespace {
constexpr int minWidth = 60;
constexpr int minHeight = 20;
constexpr qreal bandMargin = 20;
constexpr int bandExtraHeight = 2;
constexpr int dryRunOrigin = -6000;
} // namespace

NotchScreen describe(const QScreen &screen)
{
    NotchScreen result;
    result.frame = screen.geometry();
    const int reserved = screen.availableGeometry().top() - screen.geometry().top();
    result.topPanel = std::max(reserved, 0);
    result.menuBarThickness = reserved > 0 ? reserved : defaultMenuBarThickness;
    return result;
}

std::optional<NotchScreen> notchScreen()
{
    if (QScreen *primary = QGuiApplication::primaryScreen())
        return describe(*primary);
    const auto screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return std::nullopt;
    return describe(*screens.first());
}

qreal notchWidth(const NotchScreen &screen)
{
    if (screen.topInset <= 0 || !screen.auxiliaryLeft || !screen.auxiliaryRight)
        return fallbackNotchWidth;
    const qreal gap = screen.auxiliaryRight->left() - screen.auxiliaryLeft->right();
    return gap > 60 && gap < 400 ? gap : fallbackNotchWidth;
}

int notchHeight(const NotchScreen &screen)
{
    return std::max(screen.topInset, screen.menuBarThickness);
}

int notchHeight(const std::optional<NotchScreen> &screen)
{
    return screen ? notchHeight(*screen) : noScreenHeight;
}

int topGap(const std::optional<NotchScreen> &screen)
{
    return screen ? std::max(screen->topInset, screen->topPanel) : noScreenHeight;
}

QRectF band(const NotchScreen &screen)
{
    const qreal width = notchWidth(screen) + bandMargin;
    const qreal centre = screen.frame.x() + screen.frame.width() / 2.0;
    return {centre - width / 2, qreal(screen.frame.top()), width,
            qreal(notchHeight(screen) + bandExtraHeight)};
}

QSize clampedContentSize(QSizeF content)
{
    return {std::max(minWidth, int(std::ceil(content.width()))),
            std::max(minHeight, int(std::ceil(content.height())))};
}

QRect panelFrame(const std::optional<NotchScreen> &screen, QSize content, bool dryRun)
{
    if (dryRun)
        return {QPoint(dryRunOrigin, dryRunOrigin), content};
    if (!screen)
        return {QPoint(0, 0), content};
    const int centre = screen->frame.x() + screen->frame.width() / 2;
    return {QPoint(centre - content.width() / 2, screen->frame.top()), content};
}

} // namespace NotchGeometry

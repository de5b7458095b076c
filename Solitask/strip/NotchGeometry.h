#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

#include <optional>

class QScreen;

/// What the strip needs to know about the screen it hangs from.
struct NotchScreen
{
    QRect frame;
    /// Height of a camera notch; 0 on screens without one (every Linux screen).
    int topInset = 0;
    /// The free areas left and right of a notch, when the screen reports them.
    std::optional<QRectF> auxiliaryLeft;
    std::optional<QRectF> auxiliaryRight;
    /// Height of the desktop's top bar, or the assumed one without a bar.
    int menuBarThickness = 0;
    /// Height the desktop's top panel reserves; 0 without one.
    int topPanel = 0;
};

/// Where the strip hangs and where hovering opens it. Qt's y axis grows
/// downwards, so the top edge of a screen is `frame.top()`.
namespace NotchGeometry {

/// Notch height used when no screen is known.
constexpr int noScreenHeight = 37;
/// Top-bar height assumed when the desktop reserves none (no panel at the top),
/// so that the hover band stays large enough to find.
constexpr int defaultMenuBarThickness = 24;
constexpr qreal fallbackNotchWidth = 190;

/// The primary screen (no screen on Linux has a notch), else the first one.
std::optional<NotchScreen> notchScreen();
NotchScreen describe(const QScreen &screen);

qreal notchWidth(const NotchScreen &screen);
/// The larger of the notch and the top bar.
int notchHeight(const NotchScreen &screen);
int notchHeight(const std::optional<NotchScreen> &screen);
/// The empty space above the strip's content: what the notch or the top
/// panel covers, so the content starts right below it and no empty band shows.
int topGap(const std::optional<NotchScreen> &screen);
/// The area in which a resting pointer opens the strip.
QRectF band(const NotchScreen &screen);
/// The panel's frame for content of `size`: hanging from the top edge, centred.
QRect panelFrame(const std::optional<NotchScreen> &screen, QSize content, bool dryRun);
/// Content sizes are rounded up and never below 60 × 20.
QSize clampedContentSize(QSizeF content);

} // namespace NotchGeometry

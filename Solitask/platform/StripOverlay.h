#pragma once

#include "Solitask/platform/PointerWatch.h"

#include <QPoint>

#include <optional>

class QImage;
class QWindow;

/// Shows the strip above every window itself, from pictures of the strip's
/// window, where our own windows cannot stay there; watches the notch band
/// and knows where the pointer is over the band and the strip, where the
/// system cannot tell.
class StripOverlay : public PointerWatch
{
public:
    /// Whether it shows the strip; the strip's window then lies beneath and
    /// gets its clicks from it.
    virtual bool mirrors() const { return false; }
    /// The current picture of the strip's `window`, to show at `frame` (global coordinates).
    virtual void present(QWindow *window, const QRect &frame, const QImage &picture)
    {
        Q_UNUSED(window);
        Q_UNUSED(frame);
        Q_UNUSED(picture);
    }
    virtual void withdraw() { }
    /// Where the pointer is while it is over the band or the strip; none elsewhere.
    virtual std::optional<QPoint> pointer() const { return std::nullopt; }
};

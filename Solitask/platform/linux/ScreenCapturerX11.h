#pragma once

#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/linux/X11ShmGrabber.h"
#include "Solitask/platform/linux/X11WindowStack.h"

#include <memory>
#include <optional>

class X11Connection;
typedef struct xcb_randr_get_monitors_reply_t xcb_randr_get_monitors_reply_t;

/// Captures the monitor under the pointer band by band, paints over the
/// visible parts of hidden applications' windows and of this process's
/// windows in each band before anything else sees its pixels, and halves the
/// bands into the picture while the screen is at least twice the frame's size,
/// then shrinks them to the frame as they come.
class ScreenCapturerX11 : public ScreenCapturer
{
public:
    ScreenCapturerX11(std::shared_ptr<X11Connection> connection, RunningApp own);

    /// The colour of painted-over areas.
    static constexpr QRgb blankColour = 0xff303030;

    Support support() const override;
    /// Captures, hands the frame to `done`, then gives the heap back.
    void capture(const QStringList &excludedBundleIDs, int minWidth, Completion done) override;
    /// The frame, at full resolution for `minWidth` 0.
    CaptureResult captureNow(const QStringList &excludedBundleIDs, int minWidth = 0);

private:
    struct Target
    {
        int screen = 0;
        QRect rect;
    };
    static constexpr int bandRows = X11ShmGrabber::bandHeight;

    std::optional<Target> target();
    QRect monitorAt(
        int screen, const xcb_randr_get_monitors_reply_t *monitors, const QPoint &pointer);
    static int halvings(const QSize &screen, int minWidth);
    static QSize frameFrom(const QSize &halved, int minWidth);
    QImage assemble(const Target &where, const QRegion &blank, int minWidth, QString *error);
    static void blankBand(QImage &band, const QRegion &blank, int top);

    std::shared_ptr<X11Connection> m_connection;
    X11ShmGrabber m_grabber;
    X11WindowStack m_stack;
    bool m_hasRandr = false;
    int m_lastScreen = 0;
};

#pragma once

#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/linux/X11ShmGrabber.h"
#include "Solitask/platform/linux/X11WindowStack.h"

#include <memory>
#include <optional>

class X11Connection;

/// Captures the monitor under the pointer at full resolution and paints over
/// the visible parts of hidden applications' windows and of this process's
/// windows before anything else sees the pixels.
class ScreenCapturerX11 : public ScreenCapturer
{
public:
    ScreenCapturerX11(std::shared_ptr<X11Connection> connection, RunningApp own);

    /// The colour of painted-over areas.
    static constexpr QRgb blankColour = 0xff303030;

    Support support() const override;
    /// Captures, hands the frame to `done`, then gives the memory back.
    void capture(const QStringList &excludedBundleIDs, Completion done) override;
    /// The frame; the grab's shared memory is kept for the next one.
    CaptureResult captureNow(const QStringList &excludedBundleIDs);

private:
    struct Target
    {
        int screen = 0;
        QRect rect;
    };
    std::optional<Target> target();
    QRect monitorAt(int screen, const QPoint &pointer);

    std::shared_ptr<X11Connection> m_connection;
    X11ShmGrabber m_grabber;
    X11WindowStack m_stack;
};

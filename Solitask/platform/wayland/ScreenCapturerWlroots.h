#pragma once

#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/wayland/SceneBlanking.h"

#include <memory>

class WaylandConnection;
class WaylandWindowSource;
struct WaylandScene;
struct zwlr_screencopy_manager_v1;
struct wl_output;

/// Captures one output through wlr-screencopy into shared memory, and paints
/// over private apps' and this process's windows where the window source
/// places them. When it cannot place a private app's window, no frame leaves.
class ScreenCapturerWlroots : public ScreenCapturer
{
public:
    /// The colour of painted-over areas, as on X11.
    static constexpr QRgb blankColour = SceneBlanking::colour;

    /// Null when the compositor does not offer wlr-screencopy.
    static std::unique_ptr<ScreenCapturerWlroots> create(
        std::shared_ptr<WaylandConnection> connection,
        std::shared_ptr<WaylandWindowSource> windows);
    ~ScreenCapturerWlroots() override;

    Support support() const override;
    /// At full resolution whatever `minWidth`: the encoder reduces the frame.
    void capture(const QStringList &excludedBundleIDs, int minWidth, Completion done) override;
    CaptureResult captureNow(const QStringList &excludedBundleIDs);

private:
    ScreenCapturerWlroots(std::shared_ptr<WaylandConnection> connection,
        std::shared_ptr<WaylandWindowSource> windows, zwlr_screencopy_manager_v1 *manager);
    wl_output *outputNamed(const QString &name) const;

    std::shared_ptr<WaylandConnection> m_connection;
    std::shared_ptr<WaylandWindowSource> m_windows;
    zwlr_screencopy_manager_v1 *m_manager = nullptr;
};

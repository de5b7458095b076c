#pragma once

#include "Solitask/platform/Support.h"

#include <QImage>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>

/// One picture of the screen under the pointer, or why there is none. The
/// picture may be the screen reduced, by whole halvings or down to the frame
/// itself (ScreenCapturer::frameSize), never below the width the capture
/// asked for.
struct CaptureResult
{
    QImage image;
    QString error;
    /// Where private windows are could not be known: no frame may be sent.
    bool privacyUnknown = false;

    bool ok() const { return error.isEmpty() && !image.isNull() && !privacyUnknown; }
    static CaptureResult failure(const QString &why) { return {QImage(), why, false}; }
    static CaptureResult unsure(const QString &why) { return {QImage(), why, true}; }
};

/// Captures the display under the mouse pointer with the windows of the given
/// applications, and of this process, painted over.
class ScreenCapturer
{
public:
    using Completion = std::function<void(CaptureResult)>;

    virtual ~ScreenCapturer() = default;

    /// The frame `width` wide made from `picture`: its height scaled in
    /// proportion, rounded toward zero, at least 1.
    static QSize frameSize(const QSize &picture, int width)
    {
        const double scale = double(width) / std::max(picture.width(), 1);
        return {width, std::max(1, int(std::floor(picture.height() * scale)))};
    }

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Calls `done` exactly once on the main thread, possibly before returning.
    /// `minWidth` is the width of the frame to be made from the picture, which
    /// lets a large screen arrive reduced; 0 asks for full resolution.
    virtual void capture(
        const QStringList & /*excludedBundleIDs*/, int /*minWidth*/, Completion done)
    {
        done(CaptureResult::failure(support().reason));
    }
};

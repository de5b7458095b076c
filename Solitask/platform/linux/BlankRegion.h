#pragma once

#include <QList>
#include <QRect>
#include <QRegion>

/// One window in a stacking order, by its frame on the screen.
struct StackedWindow
{
    StackedWindow(const QRect &frame, bool hidden = false)
        : frame(frame)
        , hidden(hidden)
    {
    }

    QRect frame;
    bool hidden = false; // must not appear in a capture
    bool opaque = true; // hides what lies beneath it
    QRegion shape; // the part it paints when shaped; empty for the whole frame

    /// What this window hides of the windows beneath it.
    QRegion covers() const;
};

/// The part of a screen to paint over so that no pixel of a hidden window shows:
/// each hidden window's frame, padded against the scaler and the JPEG coder
/// smearing its edge, minus what the opaque windows above it cover.
class BlankRegion
{
public:
    static constexpr int defaultPadding = 4;

    /// `bottomToTop` in stacking order, lowest first.
    static QRegion compute(const QList<StackedWindow> &bottomToTop, int padding = defaultPadding);
};

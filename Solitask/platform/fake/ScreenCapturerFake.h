#pragma once

#include "Solitask/platform/ScreenCapturer.h"

#include <QList>

/// Answers captures with a set image or error. With `holdCompletions` the
/// answers wait until `completePending`, like a capture that takes a while.
class ScreenCapturerFake : public ScreenCapturer
{
public:
    ScreenCapturerFake();

    Support support() const override { return Support::yes(); }
    void capture(const QStringList &excludedBundleIDs, int minWidth, Completion done) override;

    /// A plain image of this size, or an error.
    void setDisplaySize(const QSize &size);
    void setResult(CaptureResult result) { m_result = std::move(result); }
    void setHoldCompletions(bool hold) { m_hold = hold; }
    void completePending();

    int captures() const { return m_captures; }
    QStringList lastExcluded() const { return m_lastExcluded; }
    int lastMinWidth() const { return m_lastMinWidth; }
    qsizetype pending() const { return m_pending.size(); }

private:
    CaptureResult m_result;
    bool m_hold = false;
    int m_captures = 0;
    QStringList m_lastExcluded;
    int m_lastMinWidth = 0;
    QList<Completion> m_pending;
};

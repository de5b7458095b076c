#pragma once

#include "Solitask/platform/ScreenCapturer.h"

#include <QDBusConnection>

#include <memory>

class KWinWindows;

/// Captures KWin's workspace through ScreenShot2, paints over private apps'
/// and this process's windows where our script inside KWin places them, and
/// keeps the output KWin calls active (where the pointer is, unless the
/// person set focus to decide). Without a report from the script no frame
/// is taken.
class ScreenCapturerKWin : public ScreenCapturer
{
public:
    ScreenCapturerKWin(QDBusConnection bus, std::shared_ptr<KWinWindows> windows);

    /// No while the window facts are missing or KWin refused the last screenshot.
    Support support() const override;
    /// At full resolution whatever `minWidth`: the encoder reduces the frame.
    void capture(const QStringList &excludedBundleIDs, int minWidth, Completion done) override;

private:
    QDBusConnection m_bus;
    std::shared_ptr<KWinWindows> m_windows;
    std::shared_ptr<QString> m_refusal; // KWin's answer when it refused, else empty
};

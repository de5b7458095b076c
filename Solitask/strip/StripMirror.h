#pragma once

#include "Solitask/session/TimerSlot.h"

#include <QObject>

class StripOverlay;
class StripWindow;

/// Hands the pictures of the strip's window to an overlay that shows them
/// itself: when the window shows, moves, resizes or repaints (at most one
/// picture per interval), and takes them away when it hides.
class StripMirror : public QObject
{
    Q_OBJECT

public:
    static constexpr double intervalSeconds = 0.03;

    StripMirror(Scheduler &scheduler, StripOverlay &overlay, StripWindow &window);
    ~StripMirror() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void present();

    StripOverlay &m_overlay;
    StripWindow &m_window;
    TimerSlot m_next;
};

#pragma once

#include "Solitask/session/TimerSlot.h"

#include <QObject>

#include <functional>

class Scheduler;

/// The gate's key monitor: while installed it sees the key events of the
/// gate's own windows, keeps Escape from their views, reports a bail once
/// Escape has been held down for three seconds and a tap when it was let go
/// sooner. Other windows keep their Escape. Destroying it forgets the hold.
class EscapeHold : public QObject
{
    Q_OBJECT

public:
    static constexpr double holdSeconds = 3.0;
    /// How long a release waits for the press of a repeat pair.
    static constexpr double releaseGraceSeconds = 0.1;

    struct Handlers
    {
        /// Whether a key event sent to this object belongs to the gate.
        std::function<bool(QObject *receiver)> watches;
        std::function<void()> onBail;
        /// Escape pressed and released before the hold ran out.
        std::function<void()> onTap;
    };

    EscapeHold(Scheduler &scheduler, Handlers handlers, QObject *parent = nullptr);
    ~EscapeHold() override;

    bool isHeld() const { return m_escDown; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pressed();
    void released();
    void letGo();
    void fire();

    TimerSlot m_escTimer;
    TimerSlot m_releaseTimer;
    Handlers m_handlers;
    bool m_escDown = false;
    bool m_releasePending = false;
};

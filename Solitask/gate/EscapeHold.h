#pragma once

#include "Solitask/session/TimerSlot.h"

#include <QObject>

#include <functional>

class Scheduler;

/// The gate's key monitor: while installed it sees every key event of the
/// application, keeps Escape from every view, and reports a bail once Escape
/// has been held down for three seconds. Destroying it forgets the hold.
class EscapeHold : public QObject
{
    Q_OBJECT

public:
    static constexpr double holdSeconds = 3.0;

    EscapeHold(Scheduler &scheduler, std::function<void()> onBail, QObject *parent = nullptr);
    ~EscapeHold() override;

    bool isHeld() const { return m_escDown; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pressed();
    void released();
    void fire();

    TimerSlot m_escTimer;
    std::function<void()> m_onBail;
    bool m_escDown = false;
};

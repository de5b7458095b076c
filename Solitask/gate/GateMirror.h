#pragma once

#include "Solitask/session/TimerSlot.h"

#include <QList>
#include <QObject>
#include <QPointer>

class GateWindow;
class PresentationLock;
class Scheduler;

/// Hands the pictures of the insisting gate's windows to a presentation lock
/// that shows them itself, above everything: once when watching starts, then
/// after each repaint they ask for, at most one round per interval.
class GateMirror : public QObject
{
    Q_OBJECT

public:
    static constexpr double intervalSeconds = 0.03;

    GateMirror(Scheduler &scheduler, PresentationLock &lock, QObject *parent = nullptr);

    /// Watches these windows instead of the ones before, and shows them now.
    void watch(const QList<GateWindow *> &windows);
    void stop();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void presentAll();
    void holdFocus();

    PresentationLock &m_lock;
    TimerSlot m_next;
    QList<QPointer<GateWindow>> m_windows;
};

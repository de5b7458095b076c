#pragma once

#include "Solitask/session/GatePresenter.h"
#include "Solitask/session/TimerSlot.h"
#include "SolitaskCore/Calendar.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <memory>

class AskWindowDelegate;
class Clock;
class EscapeHold;
class GateMirror;
class GateModel;
class GateView;
class GateWindow;
class PresentationLock;
class QScreen;
class Scheduler;

/// Presents the gate. Insisting: one frameless full-screen window per screen
/// above everything, with the keyboard held by the presentation lock so
/// window switching cannot escape it. Compact: one closable 760 × 520 window
/// that floats above others. It reports answers through its callbacks and
/// never hides itself on an answer; the session decides.
class GateController : public QObject, public GatePresenter
{
    Q_OBJECT

public:
    static constexpr QSize askWindowSize {760, 520};

    GateController(const Clock &clock, Scheduler &scheduler, PresentationLock &lock,
        Calendar calendar = Calendar::system(), QObject *parent = nullptr);
    ~GateController() override;

    GateModel *model() const { return m_model; }

    void show(const GateFace &face, bool insist) override;
    void hide() override;
    void bringForward() override;
    bool isShowing() const override { return m_isShowing; }
    GateFace face() const override;
    void setCallbacks(GateCallbacks callbacks) override { m_callbacks = std::move(callbacks); }

    const QList<GateWindow *> &windows() const { return m_windows; }
    QWidget *askWindow() const { return m_askWindow; }
    bool insisting() const override { return m_insisting; }
    bool isEscapeHeld() const;

private:
    void rebuildWindows(QScreen *leaving = nullptr);
    void dropWindows();
    void makeAskWindow();
    void dropAskWindow();
    QWidget *makeContent(bool fullScreen);
    GateView *makeView();
    void installKeyMonitor();
    void removeKeyMonitor();
    /// Whether a key event's receiver lies in one of the gate's windows.
    bool owns(QObject *receiver) const;
    void engageLock(int attemptsLeft);
    void observeApplication();
    void watchScreen(QScreen *screen);
    void screensChanged(QScreen *leaving);
    void askWindowClosed();
    void somethingNew();

    const Clock &m_clock;
    Scheduler &m_scheduler;
    PresentationLock &m_lock;
    Calendar m_calendar;
    GateModel *m_model;
    bool m_isShowing = false;
    QList<GateWindow *> m_windows;
    QPointer<QWidget> m_askWindow;
    std::unique_ptr<EscapeHold> m_keyMonitor;
    GateMirror *m_mirror = nullptr; // only for a lock that mirrors
    bool m_insisting = false;
    GateCallbacks m_callbacks;
    AskWindowDelegate *m_askDelegate = nullptr;
    TimerSlot m_lockRetry;
    bool m_locked = false;
};

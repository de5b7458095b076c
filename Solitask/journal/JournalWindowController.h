#pragma once

#include "Solitask/journal/JournalTab.h"
#include "Solitask/session/WindowPresenter.h"

#include <QPointer>

#include <functional>
#include <memory>

class Clock;
class JournalSession;
class JournalView;
class Scheduler;
class QWidget;

/// The one journal window of the process, made on first use and kept.
class JournalWindowController : public WindowPresenter
{
public:
    JournalWindowController(JournalSession &session, const Clock &clock, Scheduler &scheduler,
                            std::function<bool()> gateShowing = {});
    ~JournalWindowController() override;

    /// Opens on the Today tab.
    void present() override { present(JournalTab::today); }
    /// Selects `tab`, makes the window on first use and brings it forward; from
    /// any thread.
    void present(JournalTab tab);

    QWidget *window() const { return m_window.get(); }
    JournalView *view() const { return m_view; }

private:
    void makeWindow();

    JournalSession &m_session;
    const Clock &m_clock;
    Scheduler &m_scheduler;
    std::function<bool()> m_gateShowing;
    std::unique_ptr<QWidget> m_window;
    JournalView *m_view = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

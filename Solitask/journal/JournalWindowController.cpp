#include "Solitask/journal/JournalWindowController.h"

#include "Solitask/journal/FloatingWindow.h"
#include "Solitask/journal/JournalView.h"
#include "Solitask/ui/Chrome.h"

#include <QWidget>

JournalWindowController::JournalWindowController(JournalSession &session, const Clock &clock,
                                                 Scheduler &scheduler,
                                                 std::function<bool()> gateShowing)
    : m_session(session)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_gateShowing(std::move(gateShowing))
{
}

JournalWindowController::~JournalWindowController()
{
    *m_alive = false;
}

void JournalWindowController::present(JournalTab tab)
{
    std::weak_ptr<bool> alive = m_alive;
    FloatingWindow::onMainThread([this, alive, tab] {
        if (alive.expired())
            return;
        if (!m_window)
            makeWindow();
        m_view->setTab(tab);
        FloatingWindow::bringForward(m_window.get(), m_gateShowing && m_gateShowing());
    });
}

void JournalWindowController::makeWindow()
{
    m_window.reset(FloatingWindow::make(QStringLiteral("Solitask Journal"), QSize(780, 620)));
    m_view = new JournalView(m_session, m_clock, m_scheduler);
    Chrome::host(m_view, m_window.get());
}

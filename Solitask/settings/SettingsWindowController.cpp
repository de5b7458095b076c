#include "Solitask/settings/SettingsWindowController.h"

#include "Solitask/journal/FloatingWindow.h"
#include "Solitask/settings/SettingsView.h"
#include "Solitask/ui/Chrome.h"

#include <QWidget>

SettingsWindowController::SettingsWindowController(SettingsEnvironment env)
    : m_env(std::move(env))
{
}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::show()
{
    std::weak_ptr<bool> alive = m_alive;
    FloatingWindow::onMainThread([this, alive] {
        if (alive.expired())
            return;
        if (!m_window)
            m_window.reset(FloatingWindow::make(QStringLiteral("Solitask Settings"), QSize(640, 620)));
        // Preferences change elsewhere too (the gate, the strip, the tray menu):
        // a window coming back shows them as they are now.
        if (!m_window->isVisible())
            rebuildView();
        FloatingWindow::bringForward(m_window.get(), m_env.gateShowing && m_env.gateShowing());
    });
}

void SettingsWindowController::rebuildView()
{
    delete m_view;
    m_view = new SettingsView(m_env);
    Chrome::host(m_view, m_window.get());
}

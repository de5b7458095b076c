#pragma once

#include "Solitask/settings/SettingsEnvironment.h"

#include <memory>

class QWidget;
class SettingsView;

/// The one settings window of the process, made on first show and kept.
class SettingsWindowController
{
public:
    explicit SettingsWindowController(SettingsEnvironment env);
    ~SettingsWindowController();

    /// Shows and focuses the window; from any thread.
    void show();

    QWidget *window() const { return m_window.get(); }
    SettingsView *view() const { return m_view; }

private:
    void rebuildView();

    SettingsEnvironment m_env;
    std::unique_ptr<QWidget> m_window;
    SettingsView *m_view = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

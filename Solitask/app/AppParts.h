#pragma once

#include "Solitask/app/ForwardingWindow.h"
#include "Solitask/app/LoggedLoginItem.h"
#include "Solitask/platform/PlatformServices.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/SystemClock.h"

#include <memory>

class AppState;
class AppStateJournalSession;
class GateController;
class HotKeys;
class JournalWindowController;
class JudgeAdapter;
class OnboardingController;
class SessionEventsBridge;
class SettingsWindowController;
class Store;
class StripPanel;
class SwitchMeter;
class TapDetector;
class Witness;

/// Every long-lived object of the running application, built once in the
/// order they need each other and handed to the session.
class AppParts
{
public:
    explicit AppParts(bool dryRun);
    ~AppParts();
    AppParts(const AppParts &) = delete;
    AppParts &operator=(const AppParts &) = delete;

    AppState &session() { return *m_state; }
    Clock &clock() { return m_clock; }
    Scheduler &scheduler() { return m_scheduler; }
    Store &store() { return *m_store; }
    PlatformServices &platform() { return m_platform; }
    GateController &gate() { return *m_gate; }
    /// The strip panel, once the session has built it.
    StripPanel *strip();
    JournalWindowController &journal() { return *m_journal; }
    SettingsWindowController &settings() { return *m_settings; }

private:
    void buildWindows();

    SystemClock m_clock;
    QtScheduler m_scheduler;
    std::unique_ptr<Store> m_store;
    PlatformServices m_platform;
    LoggedLoginItem m_loginItem;
    std::unique_ptr<Witness> m_witness;
    std::unique_ptr<SwitchMeter> m_meter;
    std::unique_ptr<JudgeAdapter> m_judge;
    std::unique_ptr<GateController> m_gate;
    std::unique_ptr<SessionEventsBridge> m_system;
    std::unique_ptr<HotKeys> m_hotKeys;
    std::unique_ptr<TapDetector> m_tapDetector;
    ForwardingWindow m_journalWindow;
    ForwardingWindow m_onboardingWindow;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<AppStateJournalSession> m_journalSession;
    std::unique_ptr<JournalWindowController> m_journal;
    std::unique_ptr<SettingsWindowController> m_settings;
    std::unique_ptr<OnboardingController> m_onboarding;
};

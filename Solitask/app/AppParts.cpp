#include "Solitask/app/AppParts.h"

#include "Solitask/app/AppInfo.h"
#include "Solitask/app/OwnIdentity.h"

#include <QWidget> // GateController.h holds a QPointer<QWidget>

#include "Solitask/gate/GateController.h"
#include "Solitask/gate/HotKeys.h"
#include "Solitask/gate/TapDetector.h"
#include "Solitask/journal/AppStateJournalSession.h"
#include "Solitask/journal/JournalWindowController.h"
#include "Solitask/onboarding/OnboardingController.h"
#include "Solitask/platform/linux/DesktopEntryNames.h"
#include "Solitask/session/AppState.h"
#include "Solitask/session/CaptureSettings.h"
#include "Solitask/session/JudgeAdapter.h"
#include "Solitask/session/SessionEventsBridge.h"
#include "Solitask/settings/SettingsWindowController.h"
#include "Solitask/strip/StripPanel.h"
#include "Solitask/witness/Judge.h"
#include "Solitask/witness/SwitchMeter.h"
#include "Solitask/witness/Witness.h"
#include "SolitaskCore/Store.h"

#include <QApplication>
#include <QCoreApplication>

namespace {

const QString ownID = AppInfo::id();

} // namespace

AppParts::AppParts(bool dryRun)
    : m_store(std::make_unique<Store>())
    , m_platform(PlatformServices::forThisSession(ownIdentity()))
    , m_loginItem(*m_platform.loginItem)
    , m_witness(std::make_unique<Witness>(m_store->framesDir(), m_platform, m_clock))
    , m_meter(std::make_unique<SwitchMeter>(*m_platform.activeApp, ownID, m_clock))
    , m_judge(std::make_unique<JudgeAdapter>(Judge::shared()))
    , m_gate(std::make_unique<GateController>(m_clock, m_scheduler, *m_platform.presentationLock))
    , m_system(std::make_unique<SessionEventsBridge>(*m_platform.sessionEvents))
    , m_hotKeys(std::make_unique<HotKeys>(*m_platform.hotKey))
    , m_tapDetector(std::make_unique<TapDetector>(*m_platform.keyEvents, m_clock, m_scheduler))
{
    Sound *sound = m_platform.sound.get();
    SessionParts parts{m_clock,         m_scheduler,    *m_store,           *m_witness,
                       *m_meter,        *m_judge,       *m_gate,            {},
                       m_journalWindow, m_onboardingWindow, *m_system,      *m_hotKeys,
                       *m_tapDetector,  [sound] { sound->play(); },
                       [] { QCoreApplication::exit(0); }, dryRun};
    parts.makeStripPanel = [this, dryRun](StripModel &model) {
        return std::make_unique<StripPanel>(
            model, StripPanel::systemEnvironment(
                       m_clock, m_scheduler, dryRun, m_platform.pointerWatch.get(),
                       m_platform.stripOverlay.get()));
    };
    m_state = std::make_unique<AppState>(std::move(parts));
    buildWindows();
}

AppParts::~AppParts()
{
    // The session goes before the windows and ports it talks to.
    m_state.reset();
}

StripPanel *AppParts::strip()
{
    return dynamic_cast<StripPanel *>(m_state->stripPanel());
}

void AppParts::buildWindows()
{
    AppState *state = m_state.get();
    GateController *gate = m_gate.get();
    const auto gateShowing = [gate] { return gate->isShowing(); };
    m_journalSession = std::make_unique<AppStateJournalSession>(*state);
    m_journal = std::make_unique<JournalWindowController>(*m_journalSession, m_clock, m_scheduler,
                                                          gateShowing);
    m_journalWindow.setTarget(m_journal.get());

    SettingsEnvironment env;
    env.changed = [state] { state->settingsChanged(); };
    env.gateShowing = gateShowing;
    env.loginItem = &m_loginItem;
    env.accessibilityTrusted = [] { return true; };
    env.capabilities = capabilities(m_platform);
    env.ownID = ownID;
    env.runningApps = [source = m_platform.runningApps.get()] { return source->runningApps(); };
    env.appName = [names = std::make_shared<DesktopEntryNames>()](const QString &id) {
        return names->name(id);
    };
    env.selfTest.locate = [](auto found) { Judge::shared().locateClaudeLater(std::move(found)); };
    env.selfTest.run = [](std::function<void(const JudgeSelfTestAnswer &)> done) {
        Judge::shared().selfTest(std::move(done));
    };
    env.peek = [witness = m_witness.get()](auto done) {
        witness->peek(CaptureSettings::current(), [done](const Witness::Peek &peek) {
            done(peek.jpeg, peek.skipped ? label(*peek.skipped) : QString());
        });
    };
    m_settings = std::make_unique<SettingsWindowController>(env);
    m_onboarding = std::make_unique<OnboardingController>(OnboardingEnvironment{
        env, m_platform.screenPermission.get(), [state] { state->finishOnboarding(); }});
    m_onboardingWindow.setTarget(m_onboarding.get());
}

#include "Solitask/onboarding/DefaultsStep.h"
#include "Solitask/onboarding/OnboardingView.h"
#include "Solitask/onboarding/PermissionStep.h"
#include "Solitask/platform/ScreenPermission.h"
#include "Solitask/platform/fake/RunningAppsSourceFake.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/BudgetControl.h"
#include "Solitask/settings/PrivateAppsBlock.h"
#include "Solitask/settings/SelfTestPanel.h"
#include "Solitask/settings/SettingsRow.h"
#include "Solitask/settings/SettingsView.h"
#include "Solitask/settings/SettingsWindowController.h"
#include "Solitask/ui/SegmentedPill.h"
#include "fakes/TestPrefs.h"

#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class SettingsWidgets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.changed = [this] { ++m_changes; };
        m_env.runningApps = [this] { return m_source.runningApps(); };
    }

    static SegmentedPill *pill(SettingsView &view, const QString &label)
    {
        return static_cast<SegmentedPill *>(view.row(label)->control());
    }

    static QStringList labels(const QWidget &root)
    {
        QStringList texts;
        for (const QLabel *label : root.findChildren<QLabel *>())
            texts << label->text();
        return texts;
    }

    /// The menu of "Add running app…", null when the block shows none.
    static QMenu *addMenu(const PrivateAppsBlock &block)
    {
        for (const QToolButton *button : block.findChildren<QToolButton *>())
            if (button->text() == "Add running app…")
                return button->menu();
        return nullptr;
    }
    static QStringList offered(const PrivateAppsBlock &block)
    {
        QStringList texts;
        if (QMenu *menu = addMenu(block)) {
            Q_EMIT menu->aboutToShow();
            for (const QAction *action : menu->actions())
                texts << action->text();
        }
        return texts;
    }

    TestPrefs m_prefs;
    RunningAppsSourceFake m_source;
    SettingsEnvironment m_env;
    int m_changes = 0;
};

class FakePermission : public ScreenPermission
{
public:
    Support support() const override { return Support::yes(); }
    bool isGranted() override { return granted; }
    QString about() const override { return aboutText; }
    bool granted = false;
    QString aboutText;
};

} // namespace

TEST_F(SettingsWidgets, APillWritesItsChoiceAtOnce)
{
    SettingsView view(m_env);
    Q_EMIT pill(view, "Keep frames")->selectionChanged(0);
    EXPECT_EQ(Prefs::integer(Prefs::Key::retentionHours), 0);
    EXPECT_EQ(m_changes, 1);
    EXPECT_EQ(view.tick(), 1);
}

TEST_F(SettingsWidgets, BudgetIsClampedForDisplayAndWritesWithinRange)
{
    Prefs::setValue(Prefs::Key::budgetUSD, 2.0);
    BudgetControl control([this] { ++m_changes; });
    EXPECT_EQ(control.valueText(), "$1.00");
    control.slider()->setValue(35);
    EXPECT_DOUBLE_EQ(Prefs::real(Prefs::Key::budgetUSD), 0.35);
    EXPECT_EQ(control.valueText(), "$0.35");
    control.slider()->setValue(0); // below the range: the slider holds at 10 cents
    EXPECT_DOUBLE_EQ(Prefs::real(Prefs::Key::budgetUSD), 0.10);
}

TEST_F(SettingsWidgets, PrivateAppsOfferRunningAppsByNameAndAddTheChosenOne)
{
    Prefs::setPrivateBundleIDs({"org.signal.Signal"});
    m_env.ownID = "org.solitask.Solitask";
    // Private, our own, a second window of Zed, one without an id, one without a name.
    m_source.setRunningApps({{"Zed", "dev.zed.Zed", 10}, {"Signal", "org.signal.Signal", 11},
        {"Solitask", "org.solitask.Solitask", 12}, {"Zed 2", "dev.zed.Zed", 13},
        {"Nameless", "", 14}, {"", "org.foo", 15}, {"Field Notes", "org.example.Notes", 16}});
    PrivateAppsBlock block(m_env);
    block.setOpen(true);
    EXPECT_EQ(block.countText(), "1 app");
    EXPECT_EQ(offered(block),
        QStringList({"Field Notes · org.example.Notes", "org.foo · org.foo", "Zed · dev.zed.Zed"}));
    ASSERT_NE(addMenu(block), nullptr);
    addMenu(block)->actions().first()->trigger();
    EXPECT_EQ(Prefs::privateBundleIDs(), QStringList({"org.signal.Signal", "org.example.Notes"}));
    EXPECT_EQ(offered(block), QStringList({"org.foo · org.foo", "Zed · dev.zed.Zed"}));
    EXPECT_EQ(block.countText(), "2 apps");
    block.remove("org.signal.Signal");
    block.remove("org.example.Notes");
    EXPECT_EQ(block.countText(), "0 apps");
    EXPECT_EQ(m_changes, 3);
    block.restoreDefaults();
    EXPECT_EQ(Prefs::privateBundleIDs(), Prefs::defaultPrivateBundleIDs());
}

TEST_F(SettingsWidgets, NothingRunningOrEverythingPrivateShowsTheNotice)
{
    const QString notice = "Every running app is already private";
    PrivateAppsBlock empty(m_env);
    empty.setOpen(true);
    EXPECT_TRUE(labels(empty).contains(notice));
    EXPECT_TRUE(offered(empty).isEmpty());

    Prefs::setPrivateBundleIDs({"dev.zed.Zed"});
    m_source.setRunningApps({{"Zed", "dev.zed.Zed", 10}});
    PrivateAppsBlock allPrivate(m_env);
    allPrivate.setOpen(true);
    EXPECT_TRUE(labels(allPrivate).contains(notice));
    EXPECT_GE(m_source.asked(), 2);
}

TEST_F(SettingsWidgets, PrivateAppsAreNamedAndIdsOfAppsNotHereShareOneQuietLine)
{
    m_env.appName
        = [](const QString &id) { return id == "org.signal.Signal" ? "Signal" : QString(); };
    Prefs::setPrivateBundleIDs(
        {"com.apple.keychainaccess", "org.signal.Signal", "com.agilebits.onepassword7"});
    PrivateAppsBlock block(m_env);
    block.setOpen(true);
    const QStringList shown = labels(block);
    EXPECT_TRUE(shown.contains("Signal"));
    EXPECT_TRUE(shown.filter("com.apple").isEmpty() && shown.filter("agilebits").isEmpty())
        << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.contains("Also kept private: 2 apps not installed on this computer"));
    EXPECT_EQ(Prefs::privateBundleIDs().size(), 3) << "still private";
}

TEST_F(SettingsWidgets, SelfTestWithoutClaudeEndsFailed)
{
    SelfTestPort port;
    port.locate = [](auto found) { found(std::nullopt); };
    port.run = [](auto done) { done(JudgeFailure::cliNotFound()); };
    SelfTestPanel panel("Run the self-test", port);
    panel.show();
    EXPECT_EQ(panel.statusText(), "Claude Code wasn’t found");
    panel.run();
    EXPECT_EQ(panel.phase(), SelfTestPanel::Phase::failed);
    EXPECT_EQ(panel.statusText(), JudgeFailure::cliNotFound().message());
}

TEST_F(SettingsWidgets, SelfTestResultIsDroppedWithThePanel)
{
    std::function<void(const JudgeSelfTestAnswer &)> later;
    SelfTestPort port {
        [](auto found) { found(QString("/bin/claude")); }, [&](auto done) { later = done; }};
    auto panel = std::make_unique<SelfTestPanel>("Run", port);
    panel->run();
    EXPECT_EQ(panel->statusText(), "Asking the witness…");
    panel.reset();
    later(JudgeSelfTestReport {"claude-sonnet-5", 7.6, {}, Verdict::aligned, "/bin/claude"});
}

TEST_F(SettingsWidgets, PermissionStepFollowsThePlatform)
{
    FakePermission permission;
    PermissionStep step(&permission, {}, {});
    EXPECT_FALSE(step.granted());
    step.checkByHand();
    EXPECT_TRUE(step.checkedByHand());
    EXPECT_FALSE(step.granted());
    permission.granted = true;
    step.recheck();
    EXPECT_TRUE(step.granted());
}

TEST_F(SettingsWidgets, PermissionStepSaysHowTheDesktopLetsSolitaskSeeTheScreen)
{
    const auto texts = [](const QWidget &widget) {
        QStringList all;
        for (const QLabel *label : widget.findChildren<QLabel *>())
            all << label->text();
        return all;
    };
    FakePermission plain;
    EXPECT_TRUE(texts(PermissionStep(&plain, {}, {}))
                    .contains("This desktop lets programs see the screen without asking, so there "
                              "is nothing to grant here."));
    FakePermission kde;
    kde.aboutText = "A script inside the window manager tells where windows are.";
    EXPECT_TRUE(texts(PermissionStep(&kde, {}, {})).contains(kde.aboutText));
}

TEST_F(SettingsWidgets, ADesktopThatKeepsItsKeysGetsTheBindingLineAndTheCapabilityList)
{
    const QString line = "bindsym Ctrl+Alt+o exec solitask --summon";
    m_env.capabilities = {{"frames", true, "wlr-screencopy", {}},
        {"hot key", false, "solitask --summon", line}, {"double tap", false, "none", "no tap"}};
    SettingsView view(m_env);
    EXPECT_TRUE(labels(view).contains("This desktop keeps its keys to itself: " + line + "."));
    EXPECT_TRUE(labels(view).contains("No tap.")) << "the desktop's advice, as a sentence";
    FakePermission permission;
    PermissionStep step(&permission, {}, {}, m_env.capabilities);
    EXPECT_EQ(step.findChild<QLabel *>("capabilities")->text(),
        "✓ frames (wlr-screencopy)\n✗ hot key: " + line + "\n✗ double tap: no tap");
}

TEST_F(SettingsWidgets, AskMeTheQuestionFinishesOnboarding)
{
    int evaluated = 0, finished = 0;
    OnboardingEnvironment env {m_env, nullptr, [&] { ++evaluated; }};
    OnboardingView view(env, [&] { ++finished; });
    for (int step = 1; step <= 3; ++step)
        view.setStep(step);
    auto *defaults = qobject_cast<DefaultsStep *>(view.stepWidget());
    ASSERT_TRUE(defaults);
    defaults->askMeTheQuestion();
    EXPECT_TRUE(Prefs::flag(Prefs::Key::onboardingDone));
    EXPECT_EQ(evaluated, 1);
    EXPECT_EQ(finished, 1);
}

TEST_F(SettingsWidgets, ReopenedSettingsShowThePreferencesAsTheyAreNow)
{
    SettingsWindowController settings(m_env);
    settings.show();
    EXPECT_EQ(pill(*settings.view(), "Look every")->selection().toInt(), 3);
    settings.window()->close();
    Prefs::setValue(Prefs::Key::cadenceMinutes, 5);
    settings.show();
    EXPECT_EQ(pill(*settings.view(), "Look every")->selection().toInt(), 5);
    SettingsRow *cadence = settings.view()->row("Look every");
    EXPECT_EQ(cadence->subLabel()->text(), "At 5 minutes the witness sees 12 frames an hour.");
    Q_EMIT pill(*settings.view(), "Look every")->selectionChanged(10);
    EXPECT_EQ(cadence->subLabel()->text(), "At 10 minutes the witness sees 6 frames an hour.");
}

#include "Solitask/onboarding/DefaultsStep.h"
#include "Solitask/onboarding/OnboardingView.h"
#include "Solitask/onboarding/PermissionStep.h"
#include "Solitask/platform/ScreenPermission.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/BudgetControl.h"
#include "Solitask/settings/PrivateAppsBlock.h"
#include "Solitask/settings/SelfTestPanel.h"
#include "Solitask/settings/SettingsRow.h"
#include "Solitask/settings/SettingsView.h"
#include "Solitask/settings/SettingsWindowController.h"
#include "Solitask/ui/SegmentedPill.h"
#include "fakes/TestPrefs.h"

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

class SettingsWidgets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_env.changed = [this] { ++m_changes; };
    }

    QVariant pillSelection(SettingsView &view, const QString &label)
    {
        return static_cast<SegmentedPill *>(view.row(label)->control())->selection();
    }

    TestPrefs m_prefs;
    SettingsEnvironment m_env;
    int m_changes = 0;
};

class FakePermission : public ScreenPermission
{
public:
    Support support() const override { return Support::yes(); }
    bool isGranted() override { return granted; }
    bool granted = false;
};

} // namespace

TEST_F(SettingsWidgets, RetentionPillShowsTheNearestChoiceAndWritesAtOnce)
{
    Prefs::setValue(Prefs::Key::retentionHours, 30);
    EXPECT_EQ(pillSelection(*std::make_unique<SettingsView>(m_env), "Keep frames").toInt(), 24);
    Prefs::setValue(Prefs::Key::retentionHours, 100);
    SettingsView view(m_env);
    auto *pill = static_cast<SegmentedPill *>(view.row("Keep frames")->control());
    EXPECT_EQ(pill->selection().toInt(), 168);
    Q_EMIT pill->selectionChanged(0);
    EXPECT_EQ(Prefs::integer(Prefs::Key::retentionHours), 0);
    EXPECT_EQ(m_changes, 1);
    EXPECT_EQ(view.tick(), 1);
}

TEST_F(SettingsWidgets, StringsWhereNumbersBelongReadAsDefaults)
{
    Prefs::setValue(Prefs::Key::retentionHours, "lots");
    Prefs::setValue(Prefs::Key::cadenceMinutes, "three");
    Prefs::setValue(Prefs::Key::budgetUSD, "cheap");
    Prefs::setValue(Prefs::Key::quietStartMinutes, "evening");
    SettingsView view(m_env);
    EXPECT_EQ(pillSelection(view, "Keep frames").toInt(), 24);
    EXPECT_EQ(pillSelection(view, "Look every").toInt(), 3);
    EXPECT_EQ(view.findChild<BudgetControl *>()->valueText(), "$0.40");
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

TEST_F(SettingsWidgets, PrivateAppCountSingularAndPluralAndEdits)
{
    m_env.runningApps = [] { return QList<RunningApp>{{"Editor", "org.editor", 1}}; };
    Prefs::setPrivateBundleIDs({"one.app"});
    PrivateAppsBlock block(m_env);
    EXPECT_EQ(block.countText(), "1 app");
    block.add("org.editor");
    EXPECT_EQ(block.countText(), "2 apps");
    block.remove("one.app");
    block.remove("org.editor");
    EXPECT_EQ(block.countText(), "0 apps");
    EXPECT_EQ(m_changes, 3);
    block.restoreDefaults();
    EXPECT_EQ(Prefs::privateBundleIDs(), Prefs::defaultPrivateBundleIDs());
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
    SelfTestPort port{[](auto found) { found(QString("/bin/claude")); },
                      [&](auto done) { later = done; }};
    auto panel = std::make_unique<SelfTestPanel>("Run", port);
    panel->run();
    EXPECT_EQ(panel->statusText(), "Asking the witness…");
    panel.reset();
    later(JudgeSelfTestReport{"claude-sonnet-5", 7.6, {}, Verdict::aligned, "/bin/claude"});
    SUCCEED();
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

TEST_F(SettingsWidgets, ADesktopThatKeepsItsKeysGetsTheBindingLineAndTheCapabilityList)
{
    const QString line
        = "add this line to your sway config: bindsym Ctrl+Alt+o exec solitask --summon";
    m_env.capabilities
        = {{"frames", true, "wlr-screencopy", {}}, {"hot key", false, "solitask --summon", line},
            {"double tap", false, "none",
                "the Alt double tap is unavailable on Wayland: use the hot key"}};
    const auto texts = [](const QWidget &widget) {
        QStringList all;
        for (const QLabel *label : widget.findChildren<QLabel *>())
            all << label->text();
        return all.join('\n');
    };
    SettingsView view(m_env);
    EXPECT_TRUE(texts(view).contains("This desktop keeps its keys to itself: " + line + "."));
    EXPECT_TRUE(texts(view).contains("The Alt double tap is unavailable on Wayland"));
    FakePermission permission;
    PermissionStep step(&permission, {}, {}, m_env.capabilities);
    EXPECT_EQ(step.findChild<QLabel *>("capabilities")->text(),
        "✓ frames (wlr-screencopy)\n✗ hot key: " + line
            + "\n✗ double tap: the Alt double tap is unavailable on Wayland: use the hot key");
}

TEST_F(SettingsWidgets, AskMeTheQuestionFinishesOnboarding)
{
    int evaluated = 0, finished = 0;
    OnboardingEnvironment env{m_env, nullptr, [&] { ++evaluated; }};
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
    EXPECT_EQ(pillSelection(*settings.view(), "Look every").toInt(), 3);
    settings.window()->close();
    Prefs::setValue(Prefs::Key::cadenceMinutes, 5);
    settings.show();
    EXPECT_EQ(pillSelection(*settings.view(), "Look every").toInt(), 5);
    SettingsRow *cadence = settings.view()->row("Look every");
    EXPECT_EQ(cadence->subLabel()->text(), "At 5 minutes the witness sees 12 frames an hour.");
    Q_EMIT static_cast<SegmentedPill *>(cadence->control())->selectionChanged(10);
    EXPECT_EQ(cadence->subLabel()->text(), "At 10 minutes the witness sees 6 frames an hour.");
}

#include "Solitask/onboarding/DefaultsStep.h"

#include "Solitask/onboarding/StepParts.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/KeyCap.h"
#include "Solitask/settings/LoginToggle.h"
#include "Solitask/settings/QuietHoursControl.h"
#include "Solitask/settings/SettingsCard.h"
#include "Solitask/settings/SettingsRow.h"
#include "Solitask/settings/SwitchToggle.h"

#include <QPushButton>
#include <QVBoxLayout>

DefaultsStep::DefaultsStep(const OnboardingEnvironment &env, std::function<void()> finish,
                           std::function<void()> back, QWidget *parent)
    : QWidget(parent)
    , m_env(env)
    , m_finish(std::move(finish))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(StepParts::header(QStringLiteral("BEFORE YOU BEGIN"), QStringLiteral("A few defaults.")));
    column->addWidget(StepParts::body(QStringLiteral("All of this lives in Settings, too.")));
    auto *card = new SettingsCard;
    const auto bump = [this] { ++m_tick; };
    card->addRow(new SettingsRow(QStringLiteral("Quiet hours"),
                                 QStringLiteral("Off duty by default. No Gate, no frames."),
                                 new QuietHoursControl(bump)));
    auto *weekends = new SwitchToggle(Prefs::flag(Prefs::Key::quietWeekends));
    connect(weekends, &SwitchToggle::toggled, this, [this](bool on) {
        Prefs::setValue(Prefs::Key::quietWeekends, on);
        ++m_tick;
    });
    card->addRow(new SettingsRow(QStringLiteral("Weekends too"), {}, weekends));
    const QString bind = adviceFor(env.settings.capabilities, QStringLiteral("hot key"));
    card->addRow(new SettingsRow(QStringLiteral("Summon the top strip"),
        (bind.isEmpty() ? QString() : QStringLiteral("On this desktop, ") + bind + u'.' + u' ')
            + QStringLiteral("It also opens when you move the cursor to the top centre of the "
                             "screen, and when the witness has something to say."),
        new KeyCap(QStringLiteral("Ctrl+Alt+O"))));
    card->addRow(new SettingsRow(QStringLiteral("Start at login"), {},
                                 new LoginToggle(env.settings.loginItem, bump)));
    column->addWidget(card);
    column->addStretch();
    column->addWidget(StepParts::buttons(
        std::move(back),
        {StepParts::primary(QStringLiteral("Ask me the question"), [this] { askMeTheQuestion(); })}));
}

void DefaultsStep::askMeTheQuestion()
{
    Prefs::setValue(Prefs::Key::onboardingDone, true);
    if (m_env.evaluateOnLaunch)
        m_env.evaluateOnLaunch();
    if (m_finish)
        m_finish();
}

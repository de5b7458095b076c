#include "Solitask/onboarding/WitnessStep.h"

#include "Solitask/onboarding/StepParts.h"
#include "Solitask/settings/SelfTestPanel.h"

#include <QPushButton>
#include <QVBoxLayout>

WitnessStep::WitnessStep(const SelfTestPort &port, std::function<void()> next,
                         std::function<void()> back, QWidget *parent)
    : QWidget(parent)
    , m_panel(new SelfTestPanel(QStringLiteral("Run the self-test"), port))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(StepParts::header(QStringLiteral("3 OF 3"), QStringLiteral("Meeting the witness.")));
    column->addWidget(StepParts::body(QStringLiteral(
        "Solitask talks to Claude through the Claude Code you already have. Let’s make sure it "
        "answers.")));
    column->addWidget(m_panel);
    column->addWidget(StepParts::body(
        QStringLiteral("No Claude Code on this computer? Continue in switches-only mode — the strip "
                       "and the Gate still work; hours show as unwitnessed."),
        12));
    column->addStretch();
    column->addWidget(
        StepParts::buttons(std::move(back), {StepParts::primary(QStringLiteral("Continue"), next)}));
}

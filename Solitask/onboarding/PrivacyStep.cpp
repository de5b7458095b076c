#include "Solitask/onboarding/PrivacyStep.h"

#include "Solitask/onboarding/StepParts.h"

#include <QPushButton>
#include <QVBoxLayout>

const QStringList &PrivacyStep::lines()
{
    static const QStringList texts = {
        QStringLiteral("Screenshots stay on this computer. Frames are kept for 24 hours so you can "
                       "see what the witness saw, then deleted."),
        QStringLiteral(
            "Once an hour, twenty small frames and their captions, plus your declaration, "
            "go through your own claude command line to your own Claude account (or "
            "your employer’s, if they pay for your Claude Code — their admins can see "
            "usage). Solitask has no servers, accounts, or telemetry."),
        QStringLiteral("Frames are skipped while a private app is in front, and private apps’ "
                       "windows are blanked out of every frame. Nothing is captured while your "
                       "camera is on, while the screen is locked, or while you’re idle."),
        QStringLiteral("You can see exactly what the witness saw, and correct it."),
        QStringLiteral("No keystrokes, no audio, no browsing history, no window titles kept beyond "
                       "the frames’ 24 hours."),
        QStringLiteral("The tray icon’s dot is filled only while capture is possible. Off duty is "
                       "always one click."),
    };
    return texts;
}

PrivacyStep::PrivacyStep(std::function<void()> next, QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(StepParts::header(QStringLiteral("1 OF 3"),
                                        QStringLiteral("Before we start, what stays private.")));
    for (int i = 0; i < lines().size(); ++i)
        column->addWidget(StepParts::numberedLine(i + 1, lines()[i]));
    column->addStretch();
    column->addWidget(StepParts::buttons({}, {StepParts::primary(QStringLiteral("Continue"), next)}));
}

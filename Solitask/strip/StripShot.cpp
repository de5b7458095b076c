#include "Solitask/strip/StripShot.h"

#include "Solitask/session/StripModel.h"
#include "Solitask/strip/NotchView.h"

#include <QImage>

namespace StripShot {

namespace {
constexpr qreal scale = 2;
} // namespace

StripState sample()
{
    StripState s;
    s.face = StripFace::committed;
    s.text = QStringLiteral("Finish the pricing page");
    s.dot = DotState::amber;
    s.elapsedText = QStringLiteral("1 h 40 m");
    s.untilText = QStringLiteral("until done");
    s.hourDots = {{QStringLiteral("h1"), QStringLiteral("10:02"), DotState::sage, false},
                  {QStringLiteral("h2"), QStringLiteral("11:02"), DotState::amber, false},
                  {QStringLiteral("pending"), QStringLiteral("12:02"), DotState::clear, false}};
    s.meterText = QStringLiteral("7 switches \u00b7 2 threads");
    s.nudge = QStringLiteral(
        "Last hour drifted toward Slack and Gmail. The pricing page is still the solitask.");
    s.dayThings = {{QStringLiteral("t1"), QStringLiteral("Answer the support queue"),
                    QStringLiteral("08:15\u201309:00"), DotState::sage, false},
                   {QStringLiteral("t2"), QStringLiteral("Finish the pricing page"),
                    QStringLiteral("09:02\u2013now"), DotState::amber, true}};
    s.judgedHours = 3;
    s.alignedPct = 67;
    s.threadsPerHour = 2.8;
    s.switchesToday = 1;
    return s;
}

void apply(StripModel &model)
{
    const StripState s = sample();
    model.set(&StripState::face, s.face);
    model.set(&StripState::text, s.text);
    model.set(&StripState::dot, s.dot);
    model.set(&StripState::elapsedText, s.elapsedText);
    model.set(&StripState::untilText, s.untilText);
    model.set(&StripState::hourDots, s.hourDots);
    model.set(&StripState::meterText, s.meterText);
    model.set(&StripState::nudge, s.nudge);
    model.set(&StripState::holdChoices, s.holdChoices);
    model.set(&StripState::pausedReason, s.pausedReason);
    model.set(&StripState::doneSummary, s.doneSummary);
    model.set(&StripState::busyText, s.busyText);
    model.set(&StripState::dayThings, s.dayThings);
    model.set(&StripState::judgedHours, s.judgedHours);
    model.set(&StripState::alignedPct, s.alignedPct);
    model.set(&StripState::threadsPerHour, s.threadsPerHour);
    model.set(&StripState::switchesToday, s.switchesToday);
}

bool write(const QString &path, NotchView &view)
{
    view.sync();
    view.adjustSize();
    QImage image(view.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.save(path + QStringLiteral("-open.png"));
}

} // namespace StripShot

#include "Solitask/strip/NotchMainSection.h"

#include "Solitask/session/StripState.h"
#include "Solitask/strip/NotchChip.h"
#include "Solitask/strip/NotchMark.h"
#include "Solitask/strip/NotchParts.h"
#include "Solitask/ui/ElidedLabel.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace NotchMainSection {

namespace {

using NotchParts::label;

QWidget *doneRow(const QString &summary)
{
    QLabel *check = label(QStringLiteral("\u2713"), 11, Palette::Notch::mintText(), QFont::Bold);
    auto *text = new ElidedLabel(summary, TextStyle::font(13), Palette::Notch::ink());
    text->setObjectName(QStringLiteral("doneSummary"));
    // The summary takes the whole width; a trailing stretch would halve it.
    auto *line = new QWidget;
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(check, 0, Qt::AlignVCenter);
    layout->addWidget(text, 1, Qt::AlignVCenter);
    return line;
}

QWidget *header(const StripState &s)
{
    auto *holder = new QWidget;
    auto *line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(12);
    const QString title = s.busyText.value_or(s.text);
    auto *titleLabel =
        new ElidedLabel(title, TextStyle::font(15, QFont::DemiBold), Palette::Notch::ink());
    titleLabel->setObjectName(QStringLiteral("title"));
    line->addWidget(titleLabel, 1, Qt::AlignBottom);
    QLabel *times = label(timeText(s), 12, Palette::Notch::ink2());
    times->setObjectName(QStringLiteral("times"));
    line->addWidget(times, 0, Qt::AlignBottom);
    return holder;
}

QWidget *hourItem(const HourDot &dot)
{
    const auto kind = dot.quiet ? NotchMark::Kind::quietHour : NotchMark::Kind::hour;
    auto *mark = new NotchMark(kind, dot.state, 8);
    QLabel *text = label(dot.label, 11, Palette::Notch::ink3());
    QWidget *item = NotchParts::row({mark, text}, 5);
    item->setObjectName(QStringLiteral("hour:") + dot.id);
    return item;
}

QWidget *hourRow(const StripState &s, int width)
{
    QLabel *meter = label(s.meterText, 11, Palette::Notch::ink3());
    meter->setObjectName(QStringLiteral("meter"));
    if (s.hourDots.isEmpty())
        return NotchParts::row({meter}, 12);
    QList<QWidget *> dots;
    for (const HourDot &dot : s.hourDots)
        dots.append(hourItem(dot));
    // Many hours wrap onto further rows beside the meter rather than widen the strip.
    const int marksWidth = std::max(width / 2, width - meter->sizeHint().width() - 12);
    return NotchParts::row({NotchParts::wrapped(dots, marksWidth, 8, 6), meter}, 12);
}

QWidget *statusLabel(const StripState &s)
{
    const QString text = statusLine(s);
    if (text.isEmpty())
        return nullptr;
    const bool nudge = s.nudge.has_value();
    QLabel *line = label(text, 12, nudge ? Palette::Notch::ink2() : Palette::Notch::ink3());
    line->setObjectName(QStringLiteral("statusLine"));
    line->setWordWrap(true);
    return line;
}

QWidget *nowSection(const StripState &s, NotchView &view, int width)
{
    if (s.doneSummary)
        return doneRow(*s.doneSummary);
    auto *holder = new QWidget;
    auto *column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(header(s));
    column->addWidget(hourRow(s, width));
    if (QWidget *status = statusLabel(s))
        column->addWidget(status);
    if (s.holdChoices) {
        column->addWidget(NotchParts::row({NotchParts::backToItChip(view),
                                           NotchParts::switchMenu(view),
                                           NotchParts::offDutyMenu(view)},
                                          8));
    }
    return holder;
}

QWidget *sideBySide(QWidget *left, QWidget *right)
{
    auto *holder = new QWidget;
    auto *line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(left);
    line->addStretch(1);
    if (right)
        line->addWidget(right, 0, Qt::AlignVCenter);
    return holder;
}

} // namespace

QString timeText(const StripState &s)
{
    QStringList parts;
    for (const QString &part : {s.elapsedText, s.untilText}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral(" \u00b7 "));
}

QString statusLine(const StripState &s)
{
    if (s.saveProblem)
        return QStringLiteral("Not saved \u2014 ") + *s.saveProblem;
    if (s.nudge)
        return *s.nudge;
    if (s.pausedReason)
        return QStringLiteral("Witness paused \u2014 ") + *s.pausedReason;
    if (s.dot == DotState::sage)
        return QStringLiteral("Last hour: with it.");
    if (s.dot == DotState::clear)
        return QStringLiteral("The witness looks once an hour.");
    return {};
}

QWidget *build(const StripState &s, NotchView &view, int width)
{
    QWidget *section = nullptr;
    switch (s.face) {
    case StripFace::committed:
        section = nowSection(s, view, width);
        break;
    case StripFace::nothing:
        section = sideBySide(NotchParts::titleBlock(QStringLiteral("Nothing declared"),
                                                    QStringLiteral("What\u2019s the solitask?")),
                             NotchParts::declareChip(view));
        break;
    case StripFace::offDuty:
    case StripFace::quiet: {
        const bool quiet = s.face == StripFace::quiet;
        QWidget *block = NotchParts::titleBlock(
            quiet ? QStringLiteral("Quiet hours") : QStringLiteral("Off duty"), s.offDutyText);
        section = sideBySide(block, quiet ? nullptr : NotchParts::backOnDutyChip(view));
        break;
    }
    }
    section->setObjectName(QStringLiteral("mainSection"));
    return section;
}

} // namespace NotchMainSection

#include "Solitask/journal/HourDotLabel.h"

#include "Solitask/journal/Dot.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Palette.h"
#include "SolitaskCore/Formatters.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {
QColor verdictColor(std::optional<Verdict> verdict)
{
    if (verdict == Verdict::aligned || verdict == Verdict::mostly)
        return Palette::mint();
    if (verdict == Verdict::drifting || verdict == Verdict::away)
        return Palette::apricot();
    return Palette::gray();
}
} // namespace

HourDotLabel::Style HourDotLabel::styleFor(const HourRecord &hour, const Calendar &calendar)
{
    const QString start = Formatters::hm(hour.start, calendar);
    switch (hour.status) {
    case HourStatus::judged:
        return {verdictColor(hour.effectiveVerdict()), false, start};
    case HourStatus::quiet:
        return {Palette::ink3(), true, start + QStringLiteral(" quiet")};
    case HourStatus::unwitnessed:
        break;
    }
    return {Palette::gray(), false, start + QStringLiteral(" unwitnessed")};
}

HourDotLabel::HourDotLabel(const HourRecord &hour, const Calendar &calendar, QWidget *parent)
    : QWidget(parent)
    , m_style(styleFor(hour, calendar))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(new Dot(9, m_style.color, m_style.hollow), 0, Qt::AlignVCenter);
    row->addWidget(textLabel(m_style.label, 11, Palette::ink3()), 0, Qt::AlignVCenter);
}

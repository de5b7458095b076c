#include "Solitask/journal/OffDutyBand.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "SolitaskCore/Formatters.h"

#include <QHBoxLayout>
#include <QLabel>

OffDutyBand::OffDutyBand(const OffDutyRecord &record, const Calendar &calendar, QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    row->addWidget(new Hairline, 1, Qt::AlignVCenter);
    auto *label = textLabel(text(record, calendar), 12, Palette::ink3());
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    row->addWidget(label);
    row->addWidget(new Hairline, 1, Qt::AlignVCenter);
}

QString OffDutyBand::text(const OffDutyRecord &record, const Calendar &calendar)
{
    return QStringLiteral("Off duty · ") + Formatters::hm(record.start, calendar)
        + QStringLiteral(" – ") + Formatters::hm(record.end, calendar);
}

#include "Solitask/journal/ThingCard.h"

#include "Solitask/journal/Dot.h"
#include "Solitask/journal/HourDotLabel.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/journal/TodayTexts.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/WrapLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

ThingCard::ThingCard(const Thing &thing, const QList<HourRecord> &hours,
                     const JudgedHourRows::Context &context,
                     const std::optional<HourRecord> &pending, QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(18, 16, 18, 16);
    column->setSpacing(12);
    column->addWidget(titleRow(thing, context));
    if (!hours.isEmpty() || thing.isOpen())
        column->addWidget(dotsRow(thing, hours, context, pending));
    if (QWidget *rows = judgedRows(thing, hours, context))
        column->addWidget(rows);
}

QWidget *ThingCard::titleRow(const Thing &thing, const JudgedHourRows::Context &context)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto *title = textLabel(thing.text, 15, Palette::ink(), QFont::Medium);
    title->setWordWrap(true);
    row->addWidget(title, 1, Qt::AlignTop);
    row->addWidget(textLabel(TodayTexts::span(thing, context.now, context.calendar), 12,
                             Palette::ink2()),
                   0, Qt::AlignTop);
    const QString outcome = TodayTexts::outcome(thing);
    if (thing.outcome == Outcome::done)
        row->addWidget(textLabel(QStringLiteral("✓ ") + outcome, 12, Palette::mintText()), 0,
                       Qt::AlignTop);
    else if (!outcome.isEmpty())
        row->addWidget(textLabel(outcome, 12, Palette::ink2()), 0, Qt::AlignTop);
    return box;
}

QWidget *ThingCard::dotsRow(const Thing &thing, const QList<HourRecord> &hours,
                            const JudgedHourRows::Context &context,
                            const std::optional<HourRecord> &pending)
{
    auto *box = new QWidget;
    auto *wrap = new WrapLayout(14, 8, box);
    for (const HourRecord &hour : hours)
        wrap->addWidget(new HourDotLabel(hour, context.calendar));
    if (thing.isOpen())
        wrap->addWidget(pendingMarker(thing, hours, context, pending));
    return box;
}

// The hour under way; once it holds frames they open like a judged hour's.
QWidget *ThingCard::pendingMarker(const Thing &thing, const QList<HourRecord> &hours,
                                  const JudgedHourRows::Context &context,
                                  const std::optional<HourRecord> &pending)
{
    QString label = TodayTexts::pending(thing, hours, context.calendar);
    if (pending)
        label += TodayTexts::counted(pending->frames.size(), QStringLiteral(" frame"),
                                     QStringLiteral(" frames"))
                     .prepend(QStringLiteral(" \u00B7 "));
    auto *marker = new QPushButton;
    marker->setObjectName(QStringLiteral("pendingMarker"));
    marker->setFlat(true);
    marker->setEnabled(pending.has_value());
    marker->setCursor(pending ? Qt::PointingHandCursor : Qt::ArrowCursor);
    marker->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    auto *row = new QHBoxLayout(marker);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(new Dot(8, Palette::ink3(), true), 0, Qt::AlignVCenter);
    auto *text = textLabel(label, 11, Palette::ink3());
    text->setObjectName(QStringLiteral("pending"));
    row->addWidget(text, 0, Qt::AlignVCenter);
    marker->setMinimumSize(row->sizeHint());
    if (pending && context.actions.showFrames)
        connect(marker, &QPushButton::clicked, marker,
                [show = context.actions.showFrames, hour = *pending, text = thing.text] {
                    show(hour, text);
                });
    return marker;
}

QWidget *ThingCard::judgedRows(const Thing &thing, const QList<HourRecord> &hours,
                               const JudgedHourRows::Context &context)
{
    QWidget *box = nullptr;
    QVBoxLayout *column = nullptr;
    for (const HourRecord &hour : hours) {
        if (hour.status != HourStatus::judged)
            continue;
        if (!box) {
            box = new QWidget;
            column = new QVBoxLayout(box);
            column->setContentsMargins(0, 8, 0, 0);
            column->setSpacing(10);
        } else {
            column->addWidget(new Hairline);
        }
        column->addWidget(new JudgedHourRows(hour, thing.text, context));
    }
    return box;
}

void ThingCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    p.setPen(QPen(Palette::hairline(), 1));
    p.drawPath(outline);
}

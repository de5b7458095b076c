#include "Solitask/journal/JudgedHourRows.h"

#include "Solitask/journal/CorrectionMenu.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/journal/ThumbGrid.h"
#include "Solitask/journal/TodayTexts.h"
#include "Solitask/ui/Chip.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/WrapLayout.h"
#include "SolitaskCore/Formatters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int labelWidth = 92;

QHBoxLayout *bareRow(QWidget *owner, int spacing)
{
    auto *row = new QHBoxLayout(owner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    return row;
}
} // namespace

JudgedHourRows::JudgedHourRows(const HourRecord &hour, const QString &thingText,
                               const Context &context, QWidget *parent)
    : QWidget(parent)
    , m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(14);
    m_grid->setVerticalSpacing(8);
    m_grid->setColumnMinimumWidth(0, labelWidth);
    m_grid->setColumnStretch(1, 1);
    addRow(Formatters::hm(hour.start, context.calendar), sentenceRow(hour, context));
    if (hour.result)
        addRow(QStringLiteral("threads"), threadsRow(hour));
    addRow(QStringLiteral("saw"), sawRow(hour, thingText, context), Qt::AlignVCenter);
}

void JudgedHourRows::addRow(const QString &label, QWidget *content, Qt::Alignment labelAlign)
{
    const int row = m_grid->rowCount();
    auto *name = textLabel(label, 12, Palette::ink3());
    name->setFixedWidth(labelWidth);
    m_grid->addWidget(name, row, 0, labelAlign | Qt::AlignLeft);
    m_grid->addWidget(content, row, 1);
}

QWidget *JudgedHourRows::sentenceRow(const HourRecord &hour, const Context &context)
{
    auto *box = new QWidget;
    auto *row = bareRow(box, 10);
    auto *sentence = textLabel(TodayTexts::sentence(hour), 13, Palette::ink());
    sentence->setWordWrap(true);
    row->addWidget(sentence, 1, Qt::AlignTop);
    if (hour.correction)
        row->addWidget(new Chip(label(*hour.correction), Palette::lilacTint(), Palette::lilacText()),
                       0, Qt::AlignTop);
    const QString id = hour.id;
    auto correct = context.actions.correct;
    row->addWidget(new CorrectionMenu(hour.correction,
                                      [correct, id](std::optional<Correction> c) {
                                          if (correct)
                                              correct(id, c);
                                      }),
                   0, Qt::AlignTop);
    return box;
}

QWidget *JudgedHourRows::threadsRow(const HourRecord &hour)
{
    auto *box = new QWidget;
    auto *row = bareRow(box, 10);
    const QStringList &threads = hour.result->threads;
    if (threads.isEmpty()) {
        row->addWidget(textLabel(QStringLiteral("—"), 12, Palette::ink3()));
    } else {
        auto *chips = new QWidget;
        auto *wrap = new WrapLayout(6, 6, chips);
        for (int i = 0; i < threads.size(); ++i) {
            const auto &tint = Palette::chipTint(i);
            wrap->addWidget(new Chip(threads[i], tint.tint, tint.ink));
        }
        row->addWidget(chips, 1);
    }
    row->addWidget(textLabel(TodayTexts::counted(hour.switches, QStringLiteral(" switch"),
                                                 QStringLiteral(" switches")),
                             12, Palette::ink2()),
                   0, Qt::AlignTop);
    if (threads.isEmpty())
        row->addStretch();
    return box;
}

QWidget *JudgedHourRows::sawRow(const HourRecord &hour, const QString &thingText,
                                const Context &context)
{
    auto *button = new QPushButton;
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    auto *row = bareRow(button, 10);
    row->addWidget(new ThumbGrid(hour, context.calendar));
    const QString caption = TodayTexts::sawCaption(hour, context.now, context.retentionHours,
                                                   context.calendar);
    auto *label = textLabel(caption, 12, Palette::ink2());
    label->setObjectName(QStringLiteral("sawCaption"));
    row->addWidget(label);
    row->addStretch();
    button->setMinimumHeight(std::max(24, row->sizeHint().height()));
    auto show = context.actions.showFrames;
    connect(button, &QPushButton::clicked, this, [show, hour, thingText] {
        if (show)
            show(hour, thingText);
    });
    return button;
}

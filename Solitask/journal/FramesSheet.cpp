#include "Solitask/journal/FloatingWindow.h"
#include "Solitask/journal/FramesSheet.h"

#include "Solitask/journal/DF.h"
#include "Solitask/journal/FrameJudgments.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/journal/TodayTexts.h"
#include "Solitask/ui/ElidedLabel.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/PrimaryButtonStyle.h"
#include "Solitask/ui/TextStyle.h"
#include "SolitaskCore/Formatters.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int columns = 3;
}

FramesSheet::FramesSheet(const HourRecord &hour, const QString &thingText,
                         FrameCell::Locate locate, const Calendar &calendar, QWidget *parent)
    : QDialog(parent, Qt::Sheet)
    , m_locate(std::move(locate))
{
    setWindowTitle(QStringLiteral("What the witness saw"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(720, 540);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(16);
    column->addWidget(header(hour, thingText, calendar));
    column->addWidget(body(hour, calendar), 1);
    if (hour.result)
        column->addWidget(footer(hour));
}

QWidget *FramesSheet::header(const HourRecord &hour, const QString &thingText,
                             const Calendar &calendar)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(textLabel(QStringLiteral("What the witness saw"), 15, Palette::ink(),
                                QFont::Medium));
    const QString when = Formatters::hm(hour.start, calendar) + QStringLiteral(" – ")
        + Formatters::hm(hour.end, calendar) + QStringLiteral(" · ") + thingText;
    auto *subtitle = new ElidedLabel(when, TextStyle::font(12), Palette::ink2());
    subtitle->setObjectName(QStringLiteral("sheetSubtitle"));
    subtitle->setToolTip(when);
    titles->addWidget(subtitle);
    layout->addLayout(titles, 1);
    auto *done = new QPushButton(QStringLiteral("Done"));
    done->setObjectName(QStringLiteral("sheetDone"));
    PrimaryButtonStyle::apply(done);
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(done, 0, Qt::AlignTop);
    return row;
}

QWidget *FramesSheet::body(const HourRecord &hour, const Calendar &calendar)
{
    if (hour.frames.isEmpty()) {
        auto *empty = textLabel(QStringLiteral("No frames were captured this hour."), 13,
                                Palette::ink3());
        empty->setAlignment(Qt::AlignCenter);
        return empty;
    }
    auto *grid = new QWidget;
    auto *layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(14);
    layout->setVerticalSpacing(16);
    for (qsizetype i = 0; i < hour.frames.size(); ++i) {
        auto *cell = new FrameCell(hour.frames[i], frameJudgment(hour, hour.frames[i], i, calendar));
        layout->addWidget(cell, int(i / columns), int(i % columns), Qt::AlignTop);
        m_cells.append(cell);
    }
    for (int c = 0; c < columns; ++c)
        layout->setColumnStretch(c, 1);
    layout->setRowStretch(layout->rowCount(), 1);
    m_scroll = new QScrollArea;
    m_scroll->setWidget(grid);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FloatingWindow::slimScrollBars(m_scroll);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &FramesSheet::loadVisible);
    return m_scroll;
}

QWidget *FramesSheet::footer(const HourRecord &hour)
{
    auto *box = new QWidget;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(new Hairline);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(textLabel(TodayTexts::verdictWord(hour.result->verdict), 12, Palette::ink(),
                             QFont::Medium));
    if (!hour.result->nudge.isEmpty()) {
        auto *nudge = textLabel(hour.result->nudge, 12, Palette::ink2());
        nudge->setWordWrap(true);
        row->addWidget(nudge, 1);
    }
    row->addStretch();
    if (hour.model)
        row->addWidget(textLabel(DF::modelName(*hour.model), 11, Palette::ink3()));
    column->addLayout(row);
    return box;
}

void FramesSheet::loadVisible()
{
    if (!m_scroll)
        return;
    const QRect viewport = m_scroll->viewport()->rect();
    for (FrameCell *cell : m_cells) {
        const QRect where(cell->mapTo(m_scroll->viewport(), QPoint(0, 0)), cell->size());
        if (!cell->imageRequested() && where.intersects(viewport))
            cell->requestImage(m_locate);
    }
}

void FramesSheet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // After the first layout pass, when the cells know where they are.
    QTimer::singleShot(0, this, &FramesSheet::loadVisible);
}

void FramesSheet::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    loadVisible();
}

#include "Solitask/journal/PracticeView.h"

#include "Solitask/journal/DF.h"
#include "Solitask/journal/FocusSparkline.h"
#include "Solitask/journal/PracticeTexts.h"
#include "Solitask/journal/StatTile.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/journal/ThreadBars.h"
#include "Solitask/journal/TodayTexts.h"
#include "Solitask/ui/Chip.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/ClearLayout.h"
#include "SolitaskCore/Practice.h"
#include "SolitaskCore/Store.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>

namespace {

/// A column of a caption over its content.
QWidget *panel(const QString &title, QWidget *content)
{
    auto *box = new QWidget;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(textLabel(title, 12, Palette::ink()));
    column->addWidget(content);
    column->addStretch();
    return box;
}

/// The reflection's rounded lilac ground.
class TintedBox : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 10, 10);
        p.fillPath(shape, Palette::lilacTint());
    }
};

} // namespace

PracticeView::PracticeView(Store &store, const QDateTime &now, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(20);
    reload(now);
}

void PracticeView::clear()
{
    clearLayout(m_column);
}

void PracticeView::showEmpty()
{
    auto *empty = textLabel(QStringLiteral("Your practice starts with the first judged hour."), 13,
                            Palette::ink3());
    empty->setAlignment(Qt::AlignCenter);
    empty->setMinimumHeight(300);
    m_column->addWidget(empty);
}

void PracticeView::reload(const QDateTime &now)
{
    clear();
    const QList<WeekStats> weeks = m_store.recentWeeks(8, now);
    const bool judged = std::any_of(weeks.begin(), weeks.end(),
                                    [](const WeekStats &w) { return w.judgedHours > 0; });
    if (!judged) {
        showEmpty();
        return;
    }
    const WeekStats &week = weeks.last();
    const QList<WeekStats> others = weeks.mid(0, weeks.size() - 1);
    const QList<WeekStats> trailing = others.mid(std::max<qsizetype>(0, others.size() - 3));
    const std::optional<WeekStats> previous =
        others.isEmpty() ? std::nullopt : std::optional(others.last());
    const Calendar &calendar = m_store.calendar();
    const QDateTime weekStart = Practice::weekStart(now, calendar);
    m_column->addWidget(header(week, trailing, weekStart));
    m_column->addWidget(tiles(week, previous));
    m_column->addWidget(panels(weeks, week));
    m_column->addWidget(reflection(week, trailing, weekStart));
    m_column->addStretch();
}

QWidget *PracticeView::header(const WeekStats &week, const QList<WeekStats> &trailing,
                              const QDateTime &weekStart)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(textLabel(QStringLiteral("Week of ") + DF::weekOf(weekStart, m_store.calendar()),
                             18, Palette::ink(), QFont::Medium),
                   0, Qt::AlignBottom);
    row->addStretch();
    row->addWidget(textLabel(TodayTexts::counted(week.judgedHours, QStringLiteral(" judged hour"),
                                                 QStringLiteral(" judged hours")),
                             12, Palette::ink2()),
                   0, Qt::AlignVCenter);
    auto *chip = new Chip(label(Practice::trend(week, trailing)), Palette::lilacTint(),
                          Palette::lilacText());
    chip->setObjectName(QStringLiteral("trend"));
    row->addWidget(chip, 0, Qt::AlignVCenter);
    return box;
}

QWidget *PracticeView::tiles(const WeekStats &week, const std::optional<WeekStats> &previous)
{
    using namespace PracticeTexts;
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(new StatTile(QStringLiteral("Focus score"), focusValue(week),
                                focusSub(previous), Palette::lilacTint()));
    row->addWidget(new StatTile(QStringLiteral("Threads / hour"), threadsValue(week),
                                threadsSub(previous), Palette::mintTint()));
    row->addWidget(new StatTile(QStringLiteral("Longest stretch"), stretchValue(week),
                                longestStretchDay(week, m_store.calendar()),
                                Palette::apricotTint()));
    row->addWidget(new StatTile(QStringLiteral("Switches / day"), switchesValue(week),
                                QStringLiteral("decided, not drifted"), Palette::skyTint()));
    return box;
}

QWidget *PracticeView::panels(const QList<WeekStats> &weeks, const WeekStats &week)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(28);
    row->addWidget(panel(QStringLiteral("Focus score · eight weeks"),
                         new FocusSparkline(weeks, m_store.calendar())),
                   1);
    QList<DayStats> days;
    std::copy_if(week.days.begin(), week.days.end(), std::back_inserter(days),
                 [](const DayStats &d) { return d.threadsPerHour.has_value(); });
    QWidget *bars = nullptr;
    if (days.isEmpty()) {
        auto *none = textLabel(QStringLiteral("No judged hours this week yet."), 12, Palette::ink3());
        none->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        none->setFixedHeight(96);
        bars = none;
    } else {
        bars = new ThreadBars(days, m_store.calendar());
    }
    row->addWidget(panel(QStringLiteral("Threads per hour · this week"), bars), 1);
    return box;
}

QWidget *PracticeView::reflection(const WeekStats &week, const QList<WeekStats> &trailing,
                                  const QDateTime &weekStart)
{
    auto *box = new TintedBox;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(16, 14, 16, 14);
    auto *text = textLabel(Practice::reflection(week, trailing, weekStart, m_store.calendar()), 13,
                           Palette::ink());
    text->setWordWrap(true);
    text->setObjectName(QStringLiteral("reflection"));
    // 4 points of extra line spacing.
    text->setTextFormat(Qt::RichText);
    text->setText(QStringLiteral("<div style=\"line-height: 135%;\">%1</div>")
                      .arg(text->text().toHtmlEscaped()));
    column->addWidget(text);
    return box;
}

#include "Solitask/journal/FocusSparkline.h"

#include "Solitask/journal/DF.h"
#include "Solitask/journal/SparkGeometry.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"
#include "SolitaskCore/DayKey.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr int guideScores[] = {0, 50, 100};
constexpr qreal guideGap = 6;
// Room between the last point and its score.
constexpr qreal pointRoom = 7;
constexpr qreal dateGap = 2;
} // namespace

FocusSparkline::FocusSparkline(const QList<WeekStats> &weeks, const Calendar &calendar,
                               QWidget *parent)
    : QWidget(parent)
    , m_weeks(weeks)
    , m_calendar(calendar)
{
    setMinimumHeight(150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QList<QPointF> FocusSparkline::points() const
{
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    QList<QPointF> result;
    for (int i = 0; i < m_weeks.size(); ++i) {
        if (m_weeks[i].focusScore)
            result.append(g.point(i, *m_weeks[i].focusScore));
    }
    return result;
}

void FocusSparkline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paintGuides(p);
    const QList<QPointF> plotted = points();
    if (!plotted.isEmpty()) {
        paintLine(p, plotted);
        paintLast(p, plotted.last());
    }
    for (const Label &label : labels()) {
        p.setFont(label.font);
        p.setPen(label.color);
        p.drawText(label.rect, Qt::AlignCenter, label.text);
    }
}

void FocusSparkline::paintGuides(QPainter &p) const
{
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    p.setPen(QPen(Palette::withOpacity(Palette::wash(), 0.16), 1));
    for (int score : guideScores)
        p.drawLine(QPointF(g.left, g.y(score)), QPointF(g.right, g.y(score)));
}

void FocusSparkline::paintLine(QPainter &p, const QList<QPointF> &points) const
{
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    QPainterPath line(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        line.lineTo(points[i]);
    QPainterPath area = line;
    area.lineTo(points.last().x(), g.bottom);
    area.lineTo(points.first().x(), g.bottom);
    area.closeSubpath();
    QLinearGradient fill(0, g.top, 0, g.bottom);
    fill.setColorAt(0, Palette::withOpacity(Palette::lilac(), 0.28));
    fill.setColorAt(1, Palette::withOpacity(Palette::lilac(), 0));
    p.fillPath(area, fill);
    p.setPen(QPen(Palette::lilac(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line);
}

void FocusSparkline::paintLast(QPainter &p, const QPointF &point) const
{
    p.setPen(QPen(Palette::lilac(), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(point, 4.5, 4.5);
}

QList<FocusSparkline::Label> FocusSparkline::labels() const
{
    QList<Label> out;
    guideLabels(out);
    lastLabel(out);
    dateLabels(out);
    return out;
}

void FocusSparkline::guideLabels(QList<Label> &out) const
{
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    for (int score : guideScores) {
        Label label = make(QString::number(score), TextStyle::font(10), Palette::ink3());
        label.rect.moveTo(g.right + guideGap, g.y(score) - label.rect.height() / 2);
        out.append(label);
    }
}

// Above its point and kept left of the guide scores, which sit past the plot.
void FocusSparkline::lastLabel(QList<Label> &out) const
{
    const QList<QPointF> plotted = points();
    if (plotted.isEmpty())
        return;
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    const auto &last = *std::find_if(m_weeks.rbegin(), m_weeks.rend(),
                                     [](const WeekStats &w) { return w.focusScore.has_value(); });
    Label label = make(QString::number(qint64(std::lround(*last.focusScore))),
        TextStyle::font(11, QFont::Medium), Palette::lilacText());
    const QPointF point = plotted.last();
    const qreal w = label.rect.width();
    const qreal x = std::clamp(point.x() - w / 2, 0.0, std::max(0.0, g.right - w));
    label.rect.moveTo(x, std::max(0.0, point.y() - pointRoom - label.rect.height()));
    out.append(label);
}

// First, middle and last week under the plot, inside its width so the last
// date never meets the "0" guide; a date that would touch the one before is left out.
void FocusSparkline::dateLabels(QList<Label> &out) const
{
    if (m_weeks.isEmpty())
        return;
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    const int last = int(m_weeks.size()) - 1;
    QList<int> shown {0};
    if (last > 1)
        shown.append(last / 2);
    if (last > 0)
        shown.append(last);
    qreal freeFrom = 0;
    for (int i : shown) {
        const auto date = DayKey::date(m_weeks[i].weekStart, m_calendar);
        Label label = make(date ? DF::shortDate(*date, m_calendar) : QString(), TextStyle::font(10),
            Palette::ink3());
        const qreal w = label.rect.width();
        qreal x = i == 0 ? g.x(0) - 6 : i == last ? g.x(last) + 6 - w : g.x(i) - w / 2;
        x = std::clamp(x, 0.0, std::max(0.0, g.right - w));
        if (x < freeFrom)
            continue;
        label.rect.moveTo(x, g.bottom + dateGap);
        freeFrom = x + w + 8;
        out.append(label);
    }
}

FocusSparkline::Label FocusSparkline::make(
    const QString &text, const QFont &font, const QColor &color)
{
    const QFontMetricsF fm(font);
    return {QRectF(0, 0, std::ceil(fm.horizontalAdvance(text)) + 1, std::ceil(fm.height())), text,
        font, color};
}

#include "Solitask/journal/FocusSparkline.h"

#include "Solitask/journal/DF.h"
#include "Solitask/journal/SparkGeometry.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"
#include "SolitaskCore/DayKey.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr qreal dateWidth = 60;
}

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
    paintDates(p);
}

void FocusSparkline::paintGuides(QPainter &p) const
{
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    p.setFont(TextStyle::font(10));
    for (int score : {0, 50, 100}) {
        const qreal y = g.y(score);
        p.setPen(QPen(Palette::withOpacity(Palette::wash(), 0.16), 1));
        p.drawLine(QPointF(g.left, y), QPointF(g.right, y));
        p.setPen(Palette::ink3());
        p.drawText(QRectF(g.right + 6, y - 8, 38, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(score));
    }
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
    const auto &last = *std::find_if(m_weeks.rbegin(), m_weeks.rend(),
                                     [](const WeekStats &w) { return w.focusScore.has_value(); });
    p.setFont(TextStyle::font(11, QFont::Medium));
    p.setPen(Palette::lilacText());
    p.drawText(QRectF(point.x() - 30, point.y() - 13 - 8, 60, 16), Qt::AlignCenter,
               QString::number(qint64(std::lround(*last.focusScore))));
}

void FocusSparkline::paintDates(QPainter &p) const
{
    if (m_weeks.isEmpty())
        return;
    const SparkGeometry g = SparkGeometry::in(size(), int(m_weeks.size()));
    p.setFont(TextStyle::font(10));
    p.setPen(Palette::ink3());
    const auto label = [&](int i) {
        const auto date = DayKey::date(m_weeks[i].weekStart, m_calendar);
        return date ? DF::shortDate(*date, m_calendar) : QString();
    };
    const qreal y = g.bottom + 2;
    const int last = int(m_weeks.size()) - 1;
    p.drawText(QRectF(g.x(0) - 6, y, dateWidth, 14), Qt::AlignLeft, label(0));
    if (last > 1)
        p.drawText(QRectF(g.x(last / 2) - dateWidth / 2, y, dateWidth, 14), Qt::AlignHCenter,
                   label(last / 2));
    if (last > 0)
        p.drawText(QRectF(g.x(last) - dateWidth + 6, y, dateWidth, 14), Qt::AlignRight,
                   label(last));
}

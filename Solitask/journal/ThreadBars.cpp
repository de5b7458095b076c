#include "Solitask/journal/ThreadBars.h"

#include "Solitask/journal/DF.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"
#include "SolitaskCore/DayKey.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr qreal below = 16; // room for the weekday under the baseline
constexpr qreal above = 12; // room for the value over the tallest bar
constexpr qreal radius = 4;

QPainterPath topRounded(const QRectF &r)
{
    const qreal k = std::min(radius, std::min(r.width(), r.height()) / 2);
    QPainterPath path;
    path.moveTo(r.bottomLeft());
    path.lineTo(r.left(), r.top() + k);
    path.quadTo(r.topLeft(), QPointF(r.left() + k, r.top()));
    path.lineTo(r.right() - k, r.top());
    path.quadTo(r.topRight(), QPointF(r.right(), r.top() + k));
    path.lineTo(r.bottomRight());
    path.closeSubpath();
    return path;
}
} // namespace

ThreadBars::ThreadBars(const QList<DayStats> &days, const Calendar &calendar, QWidget *parent)
    : QWidget(parent)
    , m_days(days)
    , m_calendar(calendar)
{
    setMinimumHeight(96);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QList<ThreadBars::Bar> ThreadBars::bars(const QSizeF &size) const
{
    QList<double> values;
    for (const DayStats &day : m_days)
        values.append(day.threadsPerHour.value_or(0));
    if (values.isEmpty())
        return {};
    const auto high = std::max_element(values.begin(), values.end()) - values.begin();
    const auto low = std::min_element(values.begin(), values.end()) - values.begin();
    const double max = values[high];
    const qreal slot = size.width() / qreal(values.size());
    const qreal baseline = size.height() - below;
    const qreal width = std::min(slot * 0.74, 56.0);
    QList<Bar> result;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const qreal h = max > 0 ? std::max(2.0, (baseline - above) * values[i] / max) : 2.0;
        const qreal cx = slot * (qreal(i) + 0.5);
        const auto date = DayKey::date(m_days[i].date, m_calendar);
        result.append({QRectF(cx - width / 2, baseline - h, width, h), i == high,
                       (i == high || i == low) ? QString::asprintf("%.1f", values[i]) : QString(),
                       date ? DF::weekday(*date, m_calendar) : QString()});
    }
    return result;
}

void ThreadBars::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal baseline = height() - below;
    p.setPen(QPen(Palette::withOpacity(Palette::wash(), 0.16), 1));
    p.drawLine(QPointF(0, baseline), QPointF(width(), baseline));
    p.setFont(TextStyle::font(10));
    for (const Bar &bar : bars(size())) {
        p.fillPath(topRounded(bar.rect), bar.highlighted ? Palette::mint() : QColor(191, 230, 214));
        const QRectF column(bar.rect.center().x() - 30, 0, 60, 0);
        p.setPen(Palette::ink2());
        if (!bar.label.isEmpty())
            p.drawText(QRectF(column.left(), bar.rect.top() - 14, 60, 12), Qt::AlignCenter,
                       bar.label);
        p.setPen(Palette::ink3());
        p.drawText(QRectF(column.left(), baseline + 2, 60, 14), Qt::AlignCenter, bar.weekday);
    }
}

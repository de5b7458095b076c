#include "Solitask/ui/SegmentedPill.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/Shadow.h"
#include "Solitask/ui/TextStyle.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr qreal labelSize = 12;
constexpr qreal segmentPadX = 14;
constexpr qreal segmentHeight = 24;
constexpr qreal segmentRadius = 6;
constexpr qreal rowPad = 2;
constexpr qreal rowRadius = 8;

QPainterPath rounded(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}
} // namespace

SegmentedPill::SegmentedPill(QList<Option> options, QVariant selection, QWidget *parent)
    : QWidget(parent)
    , m_options(std::move(options))
    , m_selection(std::move(selection))
{
    setFont(TextStyle::font(labelSize));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void SegmentedPill::setSelection(const QVariant &value)
{
    if (value == m_selection)
        return;
    m_selection = value;
    update();
}

qreal SegmentedPill::segmentWidth(int index) const
{
    return QFontMetricsF(font()).horizontalAdvance(m_options[index].label) + 2 * segmentPadX;
}

QRectF SegmentedPill::segmentRect(int index) const
{
    qreal x = rowPad;
    for (int i = 0; i < index; ++i)
        x += segmentWidth(i);
    return {x, rowPad, segmentWidth(index), segmentHeight};
}

bool SegmentedPill::isSelected(int index) const
{
    return m_selection.isValid() && m_options[index].value == m_selection;
}

QSize SegmentedPill::sizeHint() const
{
    qreal width = 0;
    for (int i = 0; i < m_options.size(); ++i)
        width += segmentWidth(i);
    return {int(std::ceil(width + 2 * rowPad)), int(segmentHeight + 2 * rowPad)};
}

int SegmentedPill::segmentAt(const QPointF &pos) const
{
    for (int i = 0; i < m_options.size(); ++i)
        if (segmentRect(i).contains(pos))
            return i;
    return -1;
}

void SegmentedPill::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(rounded(QRectF(rect()), rowRadius), Palette::withOpacity(Palette::wash(), 0.07));
    for (int i = 0; i < m_options.size(); ++i)
        paintSegment(p, i);
}

void SegmentedPill::paintSegment(QPainter &p, int index) const
{
    const QRectF r = segmentRect(index);
    const bool selected = isSelected(index);
    if (selected) {
        const QPainterPath tile = rounded(r, segmentRadius);
        Shadow {Palette::withOpacity(Palette::wash(), 0.12), 1, {0, 1}}.paint(p, tile);
        p.fillPath(tile, Qt::white);
    }
    p.setPen(selected ? Palette::ink() : Palette::ink2());
    p.drawText(r, Qt::AlignCenter, m_options[index].label);
}

void SegmentedPill::mousePressEvent(QMouseEvent *event)
{
    const int index = segmentAt(event->position());
    if (index < 0 || m_options[index].value == m_selection)
        return;
    m_selection = m_options[index].value;
    update();
    Q_EMIT selectionChanged(m_selection);
}

#include "Solitask/strip/NotchMark.h"

#include "Solitask/ui/Palette.h"

#include <QPainter>

#include <cmath>

namespace {

const QColor &discColor(DotState state)
{
    switch (state) {
    case DotState::sage:
        return Palette::Notch::mint();
    case DotState::amber:
        return Palette::Notch::apricot();
    default:
        return Palette::Notch::gray();
    }
}

} // namespace

NotchMark::NotchMark(Kind kind, DotState state, qreal box, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_state(state)
    , m_box(box)
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize NotchMark::sizeHint() const
{
    const int side = int(std::ceil(m_box));
    return {side, side};
}

void NotchMark::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_kind == Kind::quietHour)
        return paintOutline(p, m_box, 1, Palette::Notch::ink3(), true);
    if (m_kind == Kind::openThing)
        return paintOutline(p, m_box, 1.2, Palette::Notch::lilac(), false);
    if (m_state == DotState::clear) {
        // A hollow hour mark is 7 points inside the 8-point box of its discs.
        const qreal diameter = m_box >= 8 ? m_box - 1 : m_box;
        return paintOutline(p, diameter, 1, Palette::Notch::ink3(), false);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(discColor(m_state));
    p.drawEllipse(QRectF(0, 0, m_box, m_box));
}

void NotchMark::paintOutline(QPainter &painter, qreal diameter, qreal width, const QColor &color,
                             bool dashed)
{
    QPen pen(color, width);
    if (dashed)
        pen.setDashPattern({2 / width, 2 / width});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = width / 2;
    const QPointF centre(m_box / 2, m_box / 2);
    const qreal r = diameter / 2 - inset;
    painter.drawEllipse(centre, r, r);
}

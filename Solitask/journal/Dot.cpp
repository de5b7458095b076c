#include "Solitask/journal/Dot.h"

#include <QPainter>

#include <cmath>

Dot::Dot(qreal diameter, const QColor &color, bool hollow, QWidget *parent)
    : QWidget(parent)
    , m_diameter(diameter)
    , m_color(color)
    , m_hollow(hollow)
{
    setFixedSize(sizeHint());
}

QSize Dot::sizeHint() const
{
    const int side = int(std::ceil(m_diameter));
    return {side, side};
}

void Dot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, m_diameter - 1, m_diameter - 1);
    if (!m_hollow) {
        p.setPen(Qt::NoPen);
        p.setBrush(m_color);
        p.drawEllipse(QRectF(0, 0, m_diameter, m_diameter));
        return;
    }
    QPen pen(m_color, 1);
    pen.setDashPattern({2, 2});
    p.setPen(pen);
    p.drawEllipse(r);
}

#include "Solitask/ui/Hairline.h"

#include "Solitask/ui/Palette.h"

#include <QPainter>

#include <cmath>

Hairline::Hairline(QWidget *parent)
    : Hairline(Palette::hairline(), 1, parent)
{
}

Hairline::Hairline(const QColor &color, qreal thickness, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_thickness(thickness)
{
    setFixedHeight(int(std::ceil(thickness)));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize Hairline::sizeHint() const
{
    return {0, height()};
}

void Hairline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, width(), m_thickness), m_color);
}

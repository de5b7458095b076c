#include "Solitask/ui/Chip.h"

#include "Solitask/ui/TextStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr qreal fontSize = 11;
constexpr qreal padX = 9;
constexpr qreal padY = 3;
} // namespace

Chip::Chip(const QString &text, const QColor &tint, const QColor &ink, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_tint(tint)
    , m_ink(ink)
{
    setFont(TextStyle::font(fontSize));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize Chip::sizeHint() const
{
    const QFontMetricsF fm(font());
    return {int(std::ceil(fm.horizontalAdvance(m_text) + 2 * padX)),
        int(std::ceil(fm.height() + 2 * padY))};
}

void Chip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    QPainterPath capsule;
    capsule.addRoundedRect(r, r.height() / 2, r.height() / 2);
    p.fillPath(capsule, m_tint);
    p.setPen(m_ink);
    p.drawText(r, Qt::AlignCenter, m_text);
}

#include "Solitask/gate/PlainButton.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

PlainButton::PlainButton(const QString &text, Look look, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setLook(look);
}

void PlainButton::setLook(const Look &look)
{
    m_look = look;
    setFont(look.font);
    updateGeometry();
    update();
}

QSize PlainButton::sizeHint() const
{
    const QFontMetricsF fm(m_look.font);
    return {int(std::ceil(fm.horizontalAdvance(text()) + 2 * m_look.padX)),
        int(std::ceil(fm.height() + 2 * m_look.padY))};
}

void PlainButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Pressed plain buttons dim, as the platform's plain buttons do.
    p.setOpacity(isDown() ? 0.6 : 1.0);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath capsule;
    capsule.addRoundedRect(r, r.height() / 2, r.height() / 2);
    p.fillPath(capsule, m_look.fill);
    if (m_look.border.alpha() > 0) {
        p.setPen(QPen(m_look.border, 1));
        p.drawPath(capsule);
    }
    p.setFont(m_look.font);
    p.setPen(m_look.text);
    p.drawText(QRectF(rect()), Qt::AlignCenter, text());
    if (hasFocus())
        paintFocusRing(p, r);
}

// Reached by Tab only, so the ring shows where Space will act.
void PlainButton::paintFocusRing(QPainter &p, const QRectF &r) const
{
    p.setOpacity(1.0);
    QColor ring = m_look.text;
    ring.setAlphaF(0.55);
    p.setPen(QPen(ring, 1.5));
    p.setBrush(Qt::NoBrush);
    const QRectF inner = r.adjusted(0.75, 0.75, -0.75, -0.75);
    p.drawRoundedRect(inner, inner.height() / 2, inner.height() / 2);
}

#include "Solitask/strip/NotchChip.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr qreal labelSize = 12;
constexpr qreal symbolSize = 10;
constexpr qreal padX = 10;
constexpr qreal padY = 5;
constexpr qreal gap = 6;
constexpr qreal radius = 7;
} // namespace

NotchChip::NotchChip(const QString &label, bool tinted, const QString &symbol, QWidget *parent)
    : QPushButton(label, parent)
    , m_tinted(tinted)
    , m_symbol(symbol)
    , m_symbolFont(TextStyle::font(symbolSize, QFont::Bold))
{
    setFont(TextStyle::font(labelSize));
    setFlat(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

qreal NotchChip::symbolWidth() const
{
    return m_symbol.isEmpty() ? 0 : QFontMetricsF(m_symbolFont).horizontalAdvance(m_symbol) + gap;
}

QSize NotchChip::sizeHint() const
{
    const QFontMetricsF fm(font());
    const qreal w = symbolWidth() + fm.horizontalAdvance(text()) + 2 * padX;
    return {int(std::ceil(w)), int(std::ceil(fm.height() + 2 * padY))};
}

void NotchChip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);
    if (m_tinted)
        p.fillPath(shape, Palette::Notch::lilacTint());
    else if (isDown())
        p.fillPath(shape, Palette::Notch::hairline());
    p.setPen(QPen(m_tinted ? Palette::withOpacity(Palette::Notch::lilac(), 0.4)
                           : Palette::Notch::hairline(),
                  1));
    p.drawPath(shape);

    const QColor ink = m_tinted ? Palette::Notch::lilacText() : Palette::Notch::ink();
    p.setPen(isDown() ? Palette::withOpacity(ink, 0.7) : ink);
    QRectF content = QRectF(rect()).adjusted(padX, 0, -padX, 0);
    if (!m_symbol.isEmpty()) {
        p.setFont(m_symbolFont);
        p.drawText(content, Qt::AlignLeft | Qt::AlignVCenter, m_symbol);
        content.setLeft(content.left() + symbolWidth());
    }
    p.setFont(font());
    p.drawText(content, Qt::AlignLeft | Qt::AlignVCenter, text());
}

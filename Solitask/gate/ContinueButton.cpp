#include "Solitask/gate/ContinueButton.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/ShadowEffect.h"
#include "Solitask/ui/TextStyle.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr qreal dot = 7;
constexpr qreal gap = 12;
constexpr qreal padX = 22;
constexpr qreal padY = 12;
constexpr qreal radius = 12;
const QString returnMark = QStringLiteral("↵");

QFont labelFont()
{
    return TextStyle::font(15);
}
QFont markFont()
{
    return TextStyle::font(13);
}
} // namespace

ContinueButton::ContinueButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setText(QStringLiteral("Yes, continue"));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    setGraphicsEffect(new ShadowEffect(
        {Palette::withOpacity(Palette::lilacDeep(), 0.35), 12, {0, 8}}, radius, this));
}

qreal ContinueButton::contentWidth() const
{
    return dot + gap + QFontMetricsF(labelFont()).horizontalAdvance(text()) + gap
        + QFontMetricsF(markFont()).horizontalAdvance(returnMark);
}

QSize ContinueButton::sizeHint() const
{
    return {int(std::ceil(contentWidth() + 2 * padX)),
        int(std::ceil(QFontMetricsF(labelFont()).height() + 2 * padY))};
}

void ContinueButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(isDown() ? 0.85 : 1.0);
    const QRectF r(rect());
    QPainterPath tile;
    tile.addRoundedRect(r, radius, radius);
    p.fillPath(tile, Palette::lilacDeep());

    qreal x = (r.width() - contentWidth()) / 2;
    p.setBrush(Palette::mint());
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(x, (r.height() - dot) / 2, dot, dot));
    x += dot + gap;
    p.setFont(labelFont());
    p.setPen(Qt::white);
    const qreal label = QFontMetricsF(labelFont()).horizontalAdvance(text());
    p.drawText(QRectF(x, 0, label, r.height()), Qt::AlignVCenter | Qt::AlignLeft, text());
    x += label + gap;
    p.setFont(markFont());
    p.setPen(Palette::withOpacity(Qt::white, 0.55));
    p.drawText(
        QRectF(x, 0, r.width() - x, r.height()), Qt::AlignVCenter | Qt::AlignLeft, returnMark);
}

void ContinueButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

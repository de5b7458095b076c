#include "Solitask/ui/PrimaryButtonStyle.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/ShadowEffect.h"
#include "Solitask/ui/TextStyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

namespace {
constexpr qreal cornerRadius = 9;
}

PrimaryButtonStyle::PrimaryButtonStyle()
    : LabelButtonStyle({TextStyle::font(13, QFont::Medium), 16, 32})
{
}

void PrimaryButtonStyle::apply(QAbstractButton *button)
{
    static QPointer<PrimaryButtonStyle> shared;
    if (!shared) {
        shared = new PrimaryButtonStyle;
        shared->setParent(qApp);
    }
    shared->adopt(button);
    auto *effect = new ShadowEffect(
        {Palette::withOpacity(Palette::lilacDeep(), 0.32), 9, {0, 6}}, cornerRadius, button);
    QPointer<QAbstractButton> weak(button);
    effect->setCastsWhen([weak] { return weak && weak->isEnabled(); });
    button->setGraphicsEffect(effect);
}

qreal PrimaryButtonStyle::fillOpacity(bool enabled, bool pressed)
{
    if (!enabled)
        return 0.45;
    return pressed ? 0.85 : 1.0;
}

void PrimaryButtonStyle::paintButton(
    QPainter &painter, const QRectF &rect, const QString &text, bool enabled, bool pressed) const
{
    QPainterPath tile;
    tile.addRoundedRect(rect, cornerRadius, cornerRadius);
    painter.fillPath(
        tile, Palette::withOpacity(Palette::lilacDeep(), fillOpacity(enabled, pressed)));
    painter.setPen(Qt::white);
    painter.drawText(rect, Qt::AlignCenter, text);
}

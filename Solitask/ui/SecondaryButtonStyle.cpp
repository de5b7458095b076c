#include "Solitask/ui/SecondaryButtonStyle.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>

SecondaryButtonStyle::SecondaryButtonStyle()
    : LabelButtonStyle({TextStyle::font(13), 4, 32})
{
}

void SecondaryButtonStyle::apply(QAbstractButton *button)
{
    static QPointer<SecondaryButtonStyle> shared;
    if (!shared) {
        shared = new SecondaryButtonStyle;
        shared->setParent(qApp);
    }
    shared->adopt(button);
}

void SecondaryButtonStyle::paintButton(
    QPainter &painter, const QRectF &rect, const QString &text, bool, bool pressed) const
{
    painter.setPen(Palette::withOpacity(Palette::lilacText(), textOpacity(pressed)));
    painter.drawText(rect, Qt::AlignCenter, text);
}

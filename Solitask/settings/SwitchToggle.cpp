#include "Solitask/settings/SwitchToggle.h"

#include "Solitask/ui/Palette.h"

#include <QPainter>

SwitchToggle::SwitchToggle(bool on, QWidget *parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setChecked(on);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize SwitchToggle::sizeHint() const
{
    return {32, 18};
}

void SwitchToggle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(isChecked() ? Palette::lilac() : Palette::withOpacity(Palette::wash(), 0.14));
    if (!isEnabled())
        p.setOpacity(0.5);
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

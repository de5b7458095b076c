#include "Solitask/settings/KeyCap.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QPainter>
#include <QPainterPath>

KeyCap::KeyCap(const QString &keys, QWidget *parent)
    : QLabel(keys, parent)
{
    TextStyle::ui(this, 13, Palette::ink(), QFont::Medium);
    QFont mono = font();
    mono.setStyleHint(QFont::Monospace);
    setFont(mono);
    setContentsMargins(10, 4, 10, 4);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KeyCap::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 7, 7);
        p.fillPath(shape, Palette::lilacTint());
    }
    QLabel::paintEvent(event);
}

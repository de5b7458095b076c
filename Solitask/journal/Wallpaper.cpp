#include "Solitask/journal/Wallpaper.h"

#include "Solitask/ui/Palette.h"

#include <QPainter>

void Wallpaper::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Palette::wallpaper(QRectF(rect())));
}

#include "Solitask/ui/FilledBar.h"

#include <QPainter>

FilledBar::FilledBar(const QColor &color, int height, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
{
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FilledBar::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), m_color);
}

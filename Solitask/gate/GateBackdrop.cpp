#include "Solitask/gate/GateBackdrop.h"

#include "Solitask/gate/GateView.h"
#include "Solitask/ui/Chrome.h"

#include <QPainter>

GateBackdrop::GateBackdrop(GateView *view, bool fullScreen, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_material(material(fullScreen))
{
    Chrome::host(view, this);
}

QColor GateBackdrop::material(bool fullScreen)
{
    return fullScreen ? QColor(246, 245, 250) : QColor(236, 236, 236);
}

void GateBackdrop::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), m_material);
}

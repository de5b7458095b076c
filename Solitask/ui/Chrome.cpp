#include "Solitask/ui/Chrome.h"

#include <QVBoxLayout>
#include <QWidget>

namespace Chrome {

const QColor &cardShadow()
{
    static const QColor c = [] {
        QColor shadow(90, 80, 150);
        shadow.setAlphaF(0.18f);
        return shadow;
    }();
    return c;
}

void host(QWidget *view, QWidget *window)
{
    delete window->layout();
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(view);
}

} // namespace Chrome

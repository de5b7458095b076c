#include "Solitask/ui/Stacking.h"

#include "Solitask/platform/WindowStacking.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace Stacking {

namespace {

const char *const layerProperty = "solitaskLayer";

QList<QWidget *> shown(Layer layer)
{
    QList<QWidget *> out;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && layerOf(window) == layer)
            out.append(window);
    return out;
}

} // namespace

void assign(QWidget *window, Layer layer)
{
    window->setProperty(layerProperty, int(layer));
}

Layer layerOf(const QWidget *window)
{
    const QVariant value = window->property(layerProperty);
    return value.isValid() ? Layer(value.toInt()) : Layer::ordinary;
}

bool gateCovering()
{
    return !shown(Layer::gate).isEmpty();
}

void settle()
{
    const QList<QWidget *> gates = shown(Layer::gate);
    for (QWidget *strip : shown(Layer::strip)) {
        if (gates.isEmpty()) {
            strip->raise();
            continue;
        }
        for (QWidget *gate : gates)
            WindowStacking::placeBelow(strip->windowHandle(), gate->windowHandle());
    }
}

void aboveSurfaces(QWidget *window)
{
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

} // namespace Stacking

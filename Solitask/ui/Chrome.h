#pragma once

#include <QColor>

class QWidget;

/// Window chrome shared by the light windows.
namespace Chrome {

/// The colour of card shadows.
const QColor &cardShadow();

/// Installs `view` as the whole content of `window`. The view never resizes
/// the window: the window's own size rules.
void host(QWidget *view, QWidget *window);

} // namespace Chrome

#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

/// The interface type. Sizes are in points, and a point here is one
/// device-independent pixel, so a 38-point title is as tall on every screen as
/// the layouts around it expect.
namespace TextStyle {

/// The interface typeface: Inter when installed (close to the system face the
/// layouts were drawn for), else the desktop's general font.
QString family();

QFont font(qreal size, QFont::Weight weight = QFont::Normal, qreal tracking = 0);

/// Font and text colour in one step.
void ui(QWidget *widget, qreal size, const QColor &color, QFont::Weight weight = QFont::Normal,
    qreal tracking = 0);

} // namespace TextStyle

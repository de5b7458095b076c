#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

/// A plain text label in the interface type, as the light windows use them.
QLabel *textLabel(const QString &text, qreal size, const QColor &color,
                  QFont::Weight weight = QFont::Normal, QWidget *parent = nullptr);

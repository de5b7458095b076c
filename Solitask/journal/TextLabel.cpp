#include "Solitask/journal/TextLabel.h"

#include "Solitask/ui/TextStyle.h"

#include <QLabel>

QLabel *textLabel(const QString &text, qreal size, const QColor &color, QFont::Weight weight,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    TextStyle::ui(label, size, color, weight);
    return label;
}

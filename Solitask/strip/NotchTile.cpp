#include "Solitask/strip/NotchTile.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

NotchTile::NotchTile(const QString &value, const QString &label, const QColor &tint,
                     const QColor &labelColor, QWidget *parent)
    : QWidget(parent)
    , m_value(new QLabel(value, this))
    , m_label(new QLabel(label, this))
    , m_tint(tint)
{
    TextStyle::ui(m_value, 18, Palette::Notch::ink(), QFont::Medium);
    TextStyle::ui(m_label, 10, labelColor);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(2);
    column->addWidget(m_value);
    column->addWidget(m_label);
    // Tiles share the row equally, whatever their texts.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QString NotchTile::value() const
{
    return m_value->text();
}

QString NotchTile::label() const
{
    return m_label->text();
}

void NotchTile::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 9, 9);
    p.fillPath(shape, m_tint);
}

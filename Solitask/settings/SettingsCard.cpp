#include "Solitask/settings/SettingsCard.h"

#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

SettingsCard::SettingsCard(QWidget *parent)
    : QWidget(parent)
    , m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(1, 1, 1, 1);
    m_column->setSpacing(0);
}

void SettingsCard::addRow(QWidget *row)
{
    if (m_column->count() > 0)
        m_column->addWidget(new Hairline);
    m_column->addWidget(row);
}

void SettingsCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.fillPath(shape, Qt::white);
    p.setPen(QPen(Palette::hairline(), 1));
    p.drawPath(shape);
}

#include "Solitask/ui/WindowCard.h"

#include "Solitask/ui/Chrome.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/ShadowEffect.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

WindowCard::WindowCard(qreal radius, const QColor &fill, QWidget *content, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_fill(fill)
    , m_content(content)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    auto *effect = new ShadowEffect({Chrome::cardShadow(), 30, {0, 22}}, radius, this);
    effect->setClipsContent(true);
    effect->setStroke(Palette::hairline());
    setGraphicsEffect(effect);
}

void WindowCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), m_radius, m_radius);
    p.fillPath(shape, m_fill);
}

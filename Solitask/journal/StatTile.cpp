#include "Solitask/journal/StatTile.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
constexpr qreal valueSize = 26;
constexpr qreal minimumScale = 0.7;

QFont valueFont(qreal size)
{
    QFont font = TextStyle::font(size, QFont::Medium);
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    font.setFeature("tnum", 1); // digits of equal width, so the numbers line up
#endif
    return font;
}
} // namespace

StatTile::StatTile(const QString &label, const QString &value, const QString &sub,
                   const QColor &tint, QWidget *parent)
    : QWidget(parent)
    , m_tint(tint)
    , m_value(textLabel(value, valueSize, Palette::ink(), QFont::Medium))
    , m_sub(textLabel(sub, 11, Palette::ink2()))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(4);
    auto *name = textLabel(label, 11, Palette::ink2());
    name->setFont(TextStyle::font(11, QFont::Normal, 0.4));
    column->addWidget(name);
    m_value->setFont(valueFont(valueSize));
    m_value->setMinimumWidth(1);
    column->addWidget(m_value);
    column->addWidget(m_sub);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString StatTile::value() const
{
    return m_value->text();
}

QString StatTile::sub() const
{
    return m_sub->text();
}

// Shrinks the value, down to 70 %, until it fits on its one line.
void StatTile::fitValue()
{
    const qreal room = contentsRect().width() - 28;
    qreal size = valueSize;
    while (size > valueSize * minimumScale
           && QFontMetricsF(valueFont(size)).horizontalAdvance(m_value->text()) > room)
        size -= 1;
    m_value->setFont(valueFont(size));
}

void StatTile::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitValue();
}

void StatTile::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 10, 10);
    p.fillPath(shape, m_tint);
}

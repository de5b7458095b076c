#include "Solitask/ui/ElidedLabel.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

ElidedLabel::ElidedLabel(
    const QString &text, const QFont &font, const QColor &color, QWidget *parent)
    : QWidget(parent)
    // Line breaks would draw as boxes on a single line.
    , m_text(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')))
    , m_color(color)
{
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QString ElidedLabel::shownText() const
{
    return QFontMetricsF(font()).elidedText(m_text, Qt::ElideRight, width());
}

QSize ElidedLabel::sizeHint() const
{
    const QFontMetricsF fm(font());
    return {int(std::ceil(fm.horizontalAdvance(m_text))), int(std::ceil(fm.height()))};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {0, sizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(m_color);
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}

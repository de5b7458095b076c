#include "Solitask/ui/LabelButtonStyle.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionButton>

#include <cmath>

LabelButtonStyle::LabelButtonStyle(Look look)
    : m_look(std::move(look))
{
}

void LabelButtonStyle::drawControl(ControlElement element, const QStyleOption *option,
    QPainter *painter, const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element != CE_PushButton || !button) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setFont(m_look.font);
    paintButton(*painter, QRectF(option->rect), button->text, option->state & State_Enabled,
        option->state & State_Sunken);
    painter->restore();
}

QSize LabelButtonStyle::sizeFromContents(
    ContentsType type, const QStyleOption *option, const QSize &size, const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (type != CT_PushButton || !button)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const qreal text = QFontMetricsF(m_look.font).horizontalAdvance(button->text);
    return {int(std::ceil(text + 2 * m_look.padX)), int(std::ceil(m_look.height))};
}

void LabelButtonStyle::adopt(QAbstractButton *button)
{
    button->setStyle(this);
    button->setFont(m_look.font);
    button->setCursor(Qt::PointingHandCursor);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

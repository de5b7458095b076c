#include "Solitask/ui/WrapLayout.h"

#include <algorithm>
#include <cmath>

WrapLayout::WrapLayout(qreal hSpacing, qreal vSpacing, QWidget *parent)
    : QLayout(parent)
    , m_hSpacing(hSpacing)
    , m_vSpacing(vSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

WrapLayout::~WrapLayout()
{
    qDeleteAll(m_items);
}

void WrapLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
}

QLayoutItem *WrapLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

QLayoutItem *WrapLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

template <typename Place> QSizeF WrapLayout::walk(qreal width, Place place) const
{
    qreal x = 0, y = 0, rowHeight = 0, widest = 0;
    for (QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize s = item->sizeHint();
        if (x > 0 && x + s.width() > width) {
            widest = std::max(widest, x - m_hSpacing);
            y += rowHeight + m_vSpacing;
            x = 0;
            rowHeight = 0;
        }
        place(item, QPointF(x, y));
        x += s.width() + m_hSpacing;
        rowHeight = std::max<qreal>(rowHeight, s.height());
    }
    const qreal used = std::max<qreal>(0, std::max(widest, x - m_hSpacing));
    return {std::isfinite(width) ? width : used, y + rowHeight};
}

QSize WrapLayout::measure(qreal width) const
{
    const QSizeF s = walk(width, [](QLayoutItem *, QPointF) {});
    return {int(std::ceil(s.width())), int(std::ceil(s.height()))};
}

int WrapLayout::heightForWidth(int width) const
{
    return measure(width).height();
}

QSize WrapLayout::sizeHint() const
{
    return measure();
}

QSize WrapLayout::minimumSize() const
{
    int widest = 0;
    for (QLayoutItem *item : m_items)
        widest = std::max(widest, item->sizeHint().width());
    return {widest, 0};
}

void WrapLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    walk(rect.width(), [&rect](QLayoutItem *item, QPointF at) {
        item->setGeometry(QRect(rect.topLeft() + at.toPoint(), item->sizeHint()));
    });
}

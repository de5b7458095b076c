#pragma once

#include <QLayout>
#include <QList>

#include <limits>

/// A flow layout: children left to right at their ideal size, a new row when
/// the next child would not fit. A child wider than the row keeps its size on
/// a row of its own.
class WrapLayout : public QLayout
{
    Q_OBJECT

public:
    WrapLayout(qreal hSpacing, qreal vSpacing, QWidget *parent = nullptr);
    ~WrapLayout() override;

    /// The size asked for when offered `width` (infinite: no offer).
    QSize measure(qreal width = std::numeric_limits<qreal>::infinity()) const;

    void addItem(QLayoutItem *item) override;
    int count() const override { return int(m_items.size()); }
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    /// Walks the children as rows of `width`, handing each its top-left corner.
    template <typename Place> QSizeF walk(qreal width, Place place) const;

    QList<QLayoutItem *> m_items;
    qreal m_hSpacing;
    qreal m_vSpacing;
};

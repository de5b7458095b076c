#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QColor>
#include <QList>
#include <QWidget>

/// Up to six small tiles coloured by the judge's word on an hour's first frames.
/// It reads no images, whatever the number of frames.
class ThumbGrid : public QWidget
{
    Q_OBJECT

public:
    explicit ThumbGrid(const HourRecord &hour, const Calendar &calendar = Calendar::system(),
                       QWidget *parent = nullptr);

    /// The tiles' colours, in reading order.
    const QList<QColor> &tiles() const { return m_tiles; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int rows() const;

    QList<QColor> m_tiles;
};

#include "Solitask/journal/SparkGeometry.h"

#include <algorithm>

SparkGeometry SparkGeometry::in(const QSizeF &size, int count)
{
    return {20, size.width() - 44, 14, size.height() - 16, count};
}

qreal SparkGeometry::x(int index) const
{
    if (count <= 1)
        return (left + right) / 2;
    return left + (right - left) * index / (count - 1);
}

qreal SparkGeometry::y(double score) const
{
    return bottom - (bottom - top) * std::clamp(score, 0.0, 100.0) / 100.0;
}

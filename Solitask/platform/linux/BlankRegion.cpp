#include "Solitask/platform/linux/BlankRegion.h"

QRegion StackedWindow::covers() const
{
    if (!opaque)
        return {};
    return shape.isEmpty() ? QRegion(frame) : shape.intersected(frame);
}

QRegion BlankRegion::compute(const QList<StackedWindow> &bottomToTop, int padding)
{
    QRegion blank;
    QRegion above;
    for (auto it = bottomToTop.crbegin(); it != bottomToTop.crend(); ++it) {
        if (it->hidden)
            blank += QRegion(it->frame.adjusted(-padding, -padding, padding, padding)) - above;
        above += it->covers();
    }
    return blank;
}

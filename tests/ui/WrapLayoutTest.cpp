#include "Solitask/ui/WrapLayout.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <limits>

namespace {

class Box : public QWidget
{
public:
    explicit Box(QSize size)
        : m_size(size)
    {
    }
    QSize sizeHint() const override { return m_size; }

private:
    QSize m_size;
};

// Children of the given sizes in a layout spaced 8 across and 6 down.
struct Flow
{
    explicit Flow(const QList<QSize> &sizes)
    {
        for (const QSize &size : sizes)
            layout->addWidget(boxes.emplace_back(new Box(size)));
    }

    QWidget host;
    WrapLayout *layout = new WrapLayout(8, 6, &host);
    QList<Box *> boxes;
};

constexpr qreal noOffer = std::numeric_limits<qreal>::infinity();

} // namespace

TEST(WrapLayout, MeasuresRowsThatWrapWhenTheNextChildWouldNotFit)
{
    const struct
    {
        const char *name;
        QList<QSize> sizes;
        qreal offer;
        QSize measured;
    } cases[] = {
        {"empty, no offer", {}, noOffer, {0, 0}},
        {"empty, offered", {}, 300, {300, 0}},
        {"no offer: one row", {{50, 10}, {70, 30}, {20, 20}}, noOffer, {50 + 8 + 70 + 8 + 20, 30}},
        {"wraps the third", {{50, 10}, {50, 12}, {50, 14}}, 120, {120, 12 + 6 + 14}},
        {"an oversized first keeps its row", {{400, 20}, {10, 10}}, 100, {100, 20 + 6 + 10}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Flow(c.sizes).layout->measure(c.offer), c.measured) << c.name;
    EXPECT_EQ(Flow({{50, 10}, {50, 12}, {50, 14}}).layout->heightForWidth(166), 14);
}

TEST(WrapLayout, PlacesChildrenFromTheBoundsOriginAndPushesPastAnOversizedOne)
{
    Flow flow({{30, 10}, {30, 10}, {30, 10}});
    flow.layout->setGeometry(QRect(5, 7, 70, 100));
    EXPECT_EQ(flow.boxes[0]->pos(), QPoint(5, 7));
    EXPECT_EQ(flow.boxes[1]->pos(), QPoint(5 + 38, 7));
    EXPECT_EQ(flow.boxes[2]->pos(), QPoint(5, 7 + 16));

    Flow wide({{400, 20}, {10, 10}});
    wide.layout->setGeometry(QRect(0, 0, 100, 200));
    EXPECT_EQ(wide.boxes[0]->geometry(), QRect(0, 0, 400, 20));
    EXPECT_EQ(wide.boxes[1]->geometry(), QRect(0, 26, 10, 10));
}

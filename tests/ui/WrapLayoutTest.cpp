#include "Solitask/ui/WrapLayout.h"

#include <QWidget>
#include <gtest/gtest.h>

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

struct Flow
{
    QWidget host;
    WrapLayout *layout = new WrapLayout(8, 6, &host);

    Box *add(int w, int h)
    {
        auto *box = new Box({w, h});
        layout->addWidget(box);
        return box;
    }
};

} // namespace

TEST(WrapLayout, EmptyMeasuresNothingOrTheOfferedWidth)
{
    Flow flow;
    EXPECT_EQ(flow.layout->measure(), QSize(0, 0));
    EXPECT_EQ(flow.layout->measure(300), QSize(300, 0));
}

TEST(WrapLayout, WithoutAnOfferEverythingStaysOnOneRow)
{
    Flow flow;
    flow.add(50, 10);
    flow.add(70, 30);
    flow.add(20, 20);
    EXPECT_EQ(flow.layout->measure(), QSize(50 + 8 + 70 + 8 + 20, 30));
}

TEST(WrapLayout, WrapsWhenTheNextChildWouldNotFit)
{
    Flow flow;
    flow.add(50, 10);
    flow.add(50, 12);
    flow.add(50, 14); // 50 + 8 + 50 + 8 + 50 = 166 > 120
    EXPECT_EQ(flow.layout->measure(120), QSize(120, 12 + 6 + 14));
    EXPECT_EQ(flow.layout->heightForWidth(166), 14);
}

TEST(WrapLayout, AnOversizedFirstChildKeepsTheFirstRowAndPushesTheNext)
{
    Flow flow;
    Box *wide = flow.add(400, 20);
    Box *next = flow.add(10, 10);
    flow.host.resize(100, 200);
    flow.layout->setGeometry(QRect(0, 0, 100, 200));
    EXPECT_EQ(wide->geometry(), QRect(0, 0, 400, 20));
    EXPECT_EQ(next->geometry(), QRect(0, 26, 10, 10));
    EXPECT_EQ(flow.layout->measure(100).height(), 20 + 6 + 10);
}

TEST(WrapLayout, PlacesChildrenFromTheBoundsOrigin)
{
    Flow flow;
    Box *a = flow.add(30, 10);
    Box *b = flow.add(30, 10);
    Box *c = flow.add(30, 10);
    flow.layout->setGeometry(QRect(5, 7, 70, 100));
    EXPECT_EQ(a->pos(), QPoint(5, 7));
    EXPECT_EQ(b->pos(), QPoint(5 + 38, 7));
    EXPECT_EQ(c->pos(), QPoint(5, 7 + 16));
}

#include "Solitask/platform/linux/BlankRegion.h"

#include <gtest/gtest.h>

namespace {

TEST(BlankRegionTest, HiddenWindowIsPaddedAndLosesWhatCoversIt)
{
    const QRegion blank = BlankRegion::compute(
        {{QRect(100, 100, 200, 100), true}, {QRect(250, 50, 200, 300), false}}, 4);
    EXPECT_TRUE(blank.contains(QPoint(96, 96)));   // the padding
    EXPECT_FALSE(blank.contains(QPoint(95, 96)));
    EXPECT_TRUE(blank.contains(QPoint(249, 150)));
    EXPECT_FALSE(blank.contains(QPoint(250, 150))); // the covering window stays
    EXPECT_FALSE(blank.contains(QPoint(400, 150)));
}

TEST(BlankRegionTest, WindowsBelowDoNotReduceIt)
{
    const QRegion blank = BlankRegion::compute(
        {{QRect(0, 0, 500, 500), false}, {QRect(100, 100, 50, 50), true}}, 0);
    EXPECT_EQ(blank, QRegion(QRect(100, 100, 50, 50)));
}

TEST(BlankRegionTest, HiddenWindowAboveAnotherHiddenOneKeepsBoth)
{
    const QRegion blank = BlankRegion::compute(
        {{QRect(0, 0, 100, 100), true}, {QRect(50, 50, 100, 100), true}}, 0);
    EXPECT_TRUE(blank.contains(QPoint(10, 10)));
    EXPECT_TRUE(blank.contains(QPoint(140, 140)));
}

TEST(BlankRegionTest, NothingHiddenGivesNothing)
{
    EXPECT_TRUE(BlankRegion::compute({{QRect(0, 0, 10, 10), false}}).isEmpty());
}

} // namespace

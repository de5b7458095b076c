// The strip window on a real X server (no compositing manager): where it takes
// clicks and how its rounded corners are cut.
#include "Solitask/session/StripModel.h"
#include "Solitask/strip/NotchView.h"
#include "Solitask/strip/StripWindow.h"

#include <QApplication>
#include <QRect>
#include <QRegion>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace {

Display *display()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

// The window's shape of `kind` as X has it, in window coordinates.
QRect shapeBounds(QWidget &window, int kind)
{
    XSync(display(), False);
    int count = 0;
    int ordering = 0;
    XRectangle *rects
        = XShapeGetRectangles(display(), Window(window.winId()), kind, &count, &ordering);
    QRegion region;
    for (int i = 0; i < count; ++i)
        region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    if (rects)
        XFree(rects);
    return region.boundingRect();
}

class StripWindowX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        window = std::make_unique<StripWindow>(new NotchView(model, 37));
        window->setGeometry(200, 0, 400, 100);
        window->orderFront();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    StripModel model;
    std::unique_ptr<StripWindow> window;
};

TEST_F(StripWindowX11Test, TakesClicksOverItsWholeHeightAfterGrowingWhileOpen)
{
    window->setClickThrough(true);
    window->setClickThrough(false);
    window->moveTo(QRect(200, 0, 400, 300), false);
    QApplication::processEvents();
    EXPECT_EQ(shapeBounds(*window, ShapeInput).height(), 300);
}

TEST_F(StripWindowX11Test, RoundedBottomCornersAreCutWithoutACompositor)
{
    window->moveTo(QRect(200, 0, 400, 300), false);
    QApplication::processEvents();
    const QRegion mask = window->mask();
    EXPECT_TRUE(mask.contains(QPoint(200, 150)));
    EXPECT_TRUE(mask.contains(QPoint(0, 0))) << "the top corners stay square";
    EXPECT_FALSE(mask.contains(QPoint(1, 298))) << "outside the bottom rounding";
    EXPECT_EQ(shapeBounds(*window, ShapeBounding).height(), 300);
}

} // namespace

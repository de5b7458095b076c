#include <QApplication>
#include <gtest/gtest.h>

// Widgets and the X11 backends both need a GUI application object; unit tests
// run it on the offscreen platform, X11 tests on the Xvfb display they start.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

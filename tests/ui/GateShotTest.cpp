#include "Solitask/gate/GateShot.h"
#include "Solitask/session/VirtualClock.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(GateShot, WritesTheGateInBothFormsAsPngOrSaysItCouldNot)
{
    QTemporaryDir dir;
    VirtualClock clock;
    const QString full = dir.filePath("gate.png");
    const QString compact = dir.filePath("gate-compact.png");
    ASSERT_TRUE(GateShot::write(full, {GateFace::question(), false, {1440, 900}, "Draft"}, clock));
    ASSERT_TRUE(GateShot::write(compact, {GateFace::question(), true, {760, 520}, {}}, clock));
    EXPECT_FALSE(GateShot::write("/nonexistent-dir/gate.png", {}, clock));

    const QImage image(full);
    ASSERT_EQ(image.size(), QSize(1440, 900));
    // Top-left is tinted towards the wallpaper's pale blue, bottom-right towards apricot.
    const QColor topLeft = image.pixelColor(2, 2);
    const QColor bottomRight = image.pixelColor(1437, 897);
    EXPECT_GT(topLeft.blue(), topLeft.red());
    EXPECT_GT(bottomRight.red(), bottomRight.blue());
    EXPECT_EQ(QImage(compact).size(), QSize(760, 520));
}

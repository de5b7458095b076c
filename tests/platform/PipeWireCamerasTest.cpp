#include "Solitask/platform/linux/PipeWireCameras.h"

#include <gtest/gtest.h>

namespace {

QByteArray node(const char *mediaClass, const char *state)
{
    return QByteArray(R"({"id":42,"type":"PipeWire:Interface:Node","info":{"state":")") + state
        + R"(","props":{"media.class":")" + mediaClass + R"(","node.name":"v4l2_input"}}})";
}

TEST(PipeWireCamerasTest, OnlyARunningVideoSourceIsACameraInUse)
{
    const struct
    {
        QByteArray dump;
        bool running;
    } cases[] = {
        {"[" + node("Video/Source", "running") + "]", true},
        {"[" + node("Audio/Sink", "running") + "," + node("Video/Source", "running") + "]", true},
        {"[" + node("Video/Source", "suspended") + "]", false},
        {"[" + node("Video/Source", "idle") + "]", false},
        {"[" + node("Audio/Source", "running") + "]", false},
        {"[{\"id\":1,\"info\":null}, 7, \"x\"]", false},
        {"not json at all", false},
        {"", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PipeWireCameras::anyRunning(c.dump), c.running) << c.dump.constData();
}

} // namespace

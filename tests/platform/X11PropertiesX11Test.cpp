#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

// Answers asked for ahead, in one batch, must read exactly as single reads:
// 32-bit items widened as Xlib widens them, other types and gone windows absent.
TEST(X11Properties, AnswersAskedAheadReadAsSingleReads)
{
    X11TestClient client;
    const Window w = client.window(QRect(10, 10, 50, 50), 0x00ff00, "Some.App", 4242, "Títle");
    client.setCardinal(w, "_SOLITASK_TEST_NUMBERS", 0xffffffff);
    client.setProperty(w, "WM_TRANSIENT_FOR", "WINDOW", QByteArray("\x01\x02\x03\x00", 4));
    const Window gone = client.window(QRect(10, 10, 50, 50), 0x00ff00, "Gone", 1);
    client.destroy(gone);
    auto connection = X11Connection::open();
    ASSERT_TRUE(connection);
    X11Properties properties(*connection);
    const auto read = [&](unsigned long window) {
        return std::tuple {properties.cardinal(window, "_NET_WM_PID"),
            properties.cardinals(window, "_SOLITASK_TEST_NUMBERS"),
            properties.window(window, "WM_TRANSIENT_FOR"), properties.wmClass(window),
            properties.utf8(window, "_NET_WM_NAME"), properties.cardinal(window, "WM_CLASS"),
            properties.utf8(window, "_NET_WM_ICON_NAME")};
    };
    for (const unsigned long window : {w, gone}) {
        const auto single = read(window);
        for (const char *property : {"_NET_WM_PID", "_SOLITASK_TEST_NUMBERS", "WM_TRANSIENT_FOR",
                 "WM_CLASS", "_NET_WM_NAME", "_NET_WM_ICON_NAME"})
            properties.ask(window, property);
        properties.collect();
        EXPECT_EQ(read(window), single) << window;
        properties.forget();
    }
    EXPECT_EQ(std::get<0>(read(w)), 4242);
    EXPECT_EQ(std::get<1>(read(w)), QList<long> {-1});
}

} // namespace

#include "Solitask/platform/linux/ActiveAppSourceX11.h"
#include "Solitask/platform/linux/WindowTitleSourceX11.h"
#include "Solitask/platform/linux/X11Connection.h"

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

// Run with a window manager and without one: the active window and its title
// must not depend on what a manager publishes.
namespace {

class X11ActiveWindowTest : public ::testing::Test
{
protected:
    void activate(Window w)
    {
        if (qEnvironmentVariableIsEmpty("SOLITASK_NO_WM"))
            ASSERT_TRUE(X11TestClient::xdotool({"windowactivate", "--sync", QString::number(w)}));
        else
            ASSERT_TRUE(X11TestClient::xdotool({"windowfocus", "--sync", QString::number(w)}));
        X11TestClient::waitFor([&] { return source.activeWindow() == w; });
    }

    X11TestClient client;
    std::shared_ptr<X11Connection> connection = X11Connection::open();
    ActiveAppSourceX11 source {
        connection, {QStringLiteral("Solitask"), QStringLiteral("solitask"), 0}};
    WindowTitleSourceX11 titles {connection};
};

TEST_F(X11ActiveWindowTest, TitleIsTheActiveWindowsOwnWithOrWithoutAProcessId)
{
    const Window first
        = client.window(QRect(50, 50, 300, 200), 0x3366cc, "Mail", 5151, QByteArray("Inbox (3)"));
    const Window second = client.window(
        QRect(400, 50, 300, 200), 0x3366cc, "Mail", 5151, QByteArray("Draft to Ana"));
    const Window bare = client.window(QRect(50, 400, 300, 200), 0xcc6633, "XTerm", 0);
    client.setLatin1Name(bare, QByteArray("make \xe0 la main"));
    client.waitViewable({first, second, bare});

    activate(first);
    EXPECT_EQ(titles.activeWindowTitle(), QStringLiteral("Inbox (3)"));
    EXPECT_EQ(source.frontmost().value_or(RunningApp {}).bundleID, QStringLiteral("Mail"));
    activate(bare);
    EXPECT_EQ(titles.activeWindowTitle(), QString::fromUtf8("make à la main"));
    EXPECT_EQ(source.frontmost().value_or(RunningApp {}).bundleID, QStringLiteral("XTerm"));
    activate(second);
    EXPECT_EQ(titles.activeWindowTitle(), QStringLiteral("Draft to Ana"));
}

} // namespace

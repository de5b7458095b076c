#include "Solitask/platform/linux/ScreenCapturerX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"
#include "fakes/DiagCapture.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

constexpr unsigned long red = 0xff0000, green = 0x00ff00, yellow = 0xffff00;

class ScreenCapturerX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        X11TestClient::xdotool({"mousemove", "--screen", "0", "5", "5"});
    }

    /// The window's frame on the root, from the window manager's extents.
    QRect frameOf(Window w)
    {
        int x = 0, y = 0;
        Window child = None;
        XTranslateCoordinates(client.display(), w, DefaultRootWindow(client.display()), 0, 0, &x,
            &y, &child);
        XWindowAttributes attributes {};
        XGetWindowAttributes(client.display(), w, &attributes);
        QRect rect(x, y, attributes.width, attributes.height);
        const QList<long> extents = properties.cardinals(w, "_NET_FRAME_EXTENTS");
        if (extents.size() == 4)
            rect.adjust(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
        return rect;
    }
    static int countColour(const QImage &image, const QRect &area, QRgb colour)
    {
        int count = 0;
        const QRect clipped = area.intersected(image.rect());
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            for (int x = clipped.left(); x <= clipped.right(); ++x)
                count += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
        return count;
    }
    void waitForFrames(const QList<Window> &windows)
    {
        X11TestClient::waitFor([&] {
            for (Window w : windows)
                if (properties.cardinals(w, "_NET_FRAME_EXTENTS").size() != 4)
                    return false;
            return true;
        });
        X11TestClient::settle(300);
    }

    X11TestClient client;
    std::shared_ptr<X11Connection> connection = X11Connection::open();
    X11Properties properties {*connection};
    ScreenCapturerX11 capturer {connection, {QStringLiteral("Solitask"), QStringLiteral("solitask"), 0}};
};

TEST_F(ScreenCapturerX11Test, PrivateWindowPartlyCoveredIsBlankedAndTheCoverStays)
{
    const Window secret = client.window(QRect(200, 200, 400, 300), red, "SecretApp", 4242);
    const Window cover = client.window(QRect(450, 300, 300, 300), green, "Cover", 4343);
    waitForFrames({secret, cover});

    const CaptureResult open = capturer.captureNow({});
    ASSERT_TRUE(open.ok()) << qPrintable(open.error);
    EXPECT_GT(countColour(open.image, open.image.rect(), red), 10000); // the test can fail

    const CaptureResult result = capturer.captureNow({QStringLiteral("SecretApp")});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.size(), QSize(1280, 800));
    EXPECT_EQ(countColour(result.image, result.image.rect(), red), 0);
    EXPECT_GT(countColour(open.image, open.image.rect(), red), 10000)
        << "a frame still held is not overwritten by the next grab";
    const QRegion visible = QRegion(frameOf(secret)) - QRegion(frameOf(cover));
    int unblanked = 0;
    for (const QRect &rect : visible)
        unblanked += rect.width() * rect.height()
            - countColour(result.image, rect, ScreenCapturerX11::blankColour);
    EXPECT_EQ(unblanked, 0);
    XWindowAttributes coverArea {};
    XGetWindowAttributes(client.display(), cover, &coverArea);
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(client.display(), cover, DefaultRootWindow(client.display()), 0, 0, &x,
        &y, &child);
    const QRect coverClient(x, y, coverArea.width, coverArea.height);
    EXPECT_EQ(countColour(result.image, coverClient, green), coverClient.width() * coverClient.height());
}

TEST_F(ScreenCapturerX11Test, OwnWindowsAreAlwaysBlanked)
{
    const Window own = client.window(QRect(100, 500, 200, 150), yellow, "Solitask",
        long(QCoreApplication::applicationPid()));
    waitForFrames({own});
    const CaptureResult result = capturer.captureNow({});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(countColour(result.image, result.image.rect(), yellow), 0);
}

TEST_F(ScreenCapturerX11Test, ScreenUnderThePointerIsCaptured)
{
    X11TestClient::xdotool({"mousemove", "--screen", "1", "10", "10"});
    const CaptureResult result = capturer.captureNow({});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.size(), QSize(1024, 768));
}

TEST(ScreenCapturerX11LostServer, CapturesFailAndTheLossIsLoggedOnce)
{
    DiagCapture diag;
    QTemporaryDir dir;
    QProcess server;
    server.setStandardOutputFile(dir.filePath(QStringLiteral("display")));
    server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "640x480x24",
                                             "-nolisten", "tcp"});
    ASSERT_TRUE(server.waitForStarted());
    QFile displayFile(dir.filePath(QStringLiteral("display")));
    ASSERT_TRUE(X11TestClient::waitFor([&] { return displayFile.size() > 0; }, 10000));
    displayFile.open(QIODevice::ReadOnly);
    const QByteArray name = ":" + displayFile.readAll().trimmed();
    auto connection = X11Connection::open(name);
    ASSERT_TRUE(connection);
    ScreenCapturerX11 capturer(connection, {});
    ASSERT_TRUE(capturer.captureNow({}).ok());
    server.kill();
    server.waitForFinished();
    for (int i = 0; i < 3; ++i) {
        X11TestClient::settle(50);
        const CaptureResult result = capturer.captureNow({});
        EXPECT_FALSE(result.ok());
    }
    EXPECT_FALSE(connection->isAlive());
    EXPECT_EQ(capturer.captureNow({}).error, QStringLiteral("the X connection is lost"));
    EXPECT_EQ(diag.count(QStringLiteral("x11: connection lost")), 1);
}

} // namespace

#include "Solitask/platform/linux/ScreenCapturerX11.h"
#include "Solitask/platform/linux/ScreenPermissionX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/witness/FrameEncoder.h"
#include "fakes/DiagCapture.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

#include <X11/extensions/shape.h>

// Every check counts pixels in the JPEG the witness would keep: a private
// colour must not appear at all, and an ordinary window must still show, so
// that an empty frame cannot pass.
namespace {

constexpr unsigned long red = 0xff0000, green = 0x00ff00, yellow = 0xffff00, magenta = 0xff00ff,
                        blue = 0x0000ff, orange = 0xff8000, cyan = 0x00ffff;
const QStringList secretApp {QStringLiteral("SecretApp")};

bool near(QRgb pixel, QRgb colour)
{
    return std::abs(qRed(pixel) - qRed(colour)) < 48
        && std::abs(qGreen(pixel) - qGreen(colour)) < 48
        && std::abs(qBlue(pixel) - qBlue(colour)) < 48;
}

/// The frame as saved: scaled to the frame width, JPEG-coded, written, read back.
QImage savedFrame(const CaptureResult &result, int width = 784)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("frame.jpg")));
    file.open(QIODevice::WriteOnly);
    file.write(FrameEncoder::encode(result.image, width));
    file.close();
    return QImage(file.fileName());
}

int countNear(const QImage &image, unsigned long colour, QRect area = {})
{
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(image.pixel(x, y), QRgb(colour));
    return count;
}

class ScreenCapturerX11Test : public ::testing::Test
{
protected:
    void SetUp() override { X11TestClient::xdotool({"mousemove", "--screen", "0", "5", "5"}); }

    QImage frame(const QStringList &hidden)
    {
        const CaptureResult result = capturer.captureNow(hidden);
        EXPECT_TRUE(result.ok()) << qPrintable(result.error);
        return savedFrame(result);
    }
    /// `rect` of the 1280-wide screen in the 784-wide frame.
    static QRect scaled(const QRect &rect)
    {
        const double k = 784.0 / 1280.0;
        return QRect(
            int(rect.x() * k), int(rect.y() * k), int(rect.width() * k), int(rect.height() * k));
    }

    X11TestClient client;
    std::shared_ptr<X11Connection> connection = X11Connection::open();
    ScreenCapturerX11 capturer {
        connection, {QStringLiteral("Solitask"), QStringLiteral("solitask"), 0}};
};

TEST_F(ScreenCapturerX11Test, PrivateWindowPartlyCoveredAndItsPopUpsLeaveNoPixel)
{
    const Window secret = client.window(QRect(200, 200, 400, 300), red, "SecretApp", 4242);
    const Window cover = client.window(QRect(450, 300, 300, 300), green, "Cover", 4343);
    const QList<Window> popUps {
        client.popUp(QRect(250, 250, 120, 80), magenta, nullptr, 0, secret), // owner only
        client.popUp(QRect(620, 150, 120, 80), blue, nullptr, 4242), // process only
        client.popUp(QRect(100, 560, 120, 80), orange, "SecretApp", 0), // class only
        client.popUp(QRect(850, 600, 150, 100), cyan, "Other", 4444),
    };
    client.waitViewable(QList<Window> {secret, cover} + popUps);

    const QImage open = frame({});
    for (const unsigned long colour : {red, magenta, blue, orange})
        ASSERT_GT(countNear(open, colour), 500) << std::hex << colour; // the test can fail

    const CaptureResult held = capturer.captureNow({});
    const QImage blanked = frame(secretApp);
    for (const unsigned long colour : {red, magenta, blue, orange})
        EXPECT_EQ(countNear(blanked, colour), 0) << std::hex << colour;
    EXPECT_GT(countNear(held.image, red), 10000)
        << "a frame still held is not overwritten by the next grab";
    EXPECT_GT(countNear(blanked, green, scaled(QRect(610, 310, 130, 280))), 10000);
    EXPECT_GT(countNear(blanked, cyan), 3000);
}

// Without a compositing manager a translucent window shows its own pixels,
// so a blanked patch beneath it is the only proof that it was not counted
// as a cover.
TEST_F(ScreenCapturerX11Test, WindowsThatShowWhatIsBeneathDoNotCoverAPrivateWindow)
{
    const Window secret = client.window(QRect(200, 200, 400, 300), red, "SecretApp", 4242);
    client.waitViewable({secret});
    const QRect over(300, 250, 200, 150);
    const QRect hole(50, 40, 100, 70);
    // Each window, and the part of it (in its own coordinates) that must show blank.
    const std::function<std::pair<Window, QRect>()> makers[] = {
        [&] {
            return std::pair {
                client.argbWindow(over, 0x8000ff00, "Glass", 4343), QRect(QPoint(), over.size())};
        },
        [&] {
            const Window w = client.window(over, green, "Faded", 4343);
            client.setCardinal(w, "_NET_WM_WINDOW_OPACITY", 0x7fffffff);
            return std::pair {w, QRect(QPoint(), over.size())};
        },
        [&] {
            const Window w = client.window(over, green, "Holed", 4343);
            XRectangle cut {
                short(hole.x()), short(hole.y()), ushort(hole.width()), ushort(hole.height())};
            XShapeCombineRectangles(
                client.display(), w, ShapeBounding, 0, 0, &cut, 1, ShapeSubtract, Unsorted);
            XSync(client.display(), False);
            return std::pair {w, hole};
        },
    };
    for (int i = 0; i < 3; ++i) {
        const auto [overlay, beneath] = makers[i]();
        ASSERT_NE(overlay, None);
        client.waitViewable({overlay});
        int x = 0, y = 0;
        Window child = None;
        XTranslateCoordinates(
            client.display(), overlay, DefaultRootWindow(client.display()), 0, 0, &x, &y, &child);
        const QImage blanked = frame(secretApp);
        EXPECT_EQ(countNear(blanked, red), 0) << i;
        const QRect inside = scaled(beneath.translated(x, y).adjusted(8, 8, -8, -8));
        EXPECT_EQ(countNear(blanked, ScreenCapturerX11::blankColour, inside),
            inside.width() * inside.height())
            << i;
        client.destroy(overlay);
    }
}

TEST_F(ScreenCapturerX11Test, OwnWindowsAreAlwaysBlanked)
{
    const Window own = client.window(
        QRect(100, 500, 200, 150), yellow, "Solitask", long(QCoreApplication::applicationPid()));
    const Window other = client.window(QRect(700, 100, 200, 150), green, "Other", 4444);
    client.waitViewable({own, other});
    const QImage blanked = frame({});
    EXPECT_EQ(countNear(blanked, yellow), 0);
    EXPECT_GT(countNear(blanked, green), 5000);
}

// The 1280 × 800 screen is four times a 320-wide frame: it arrives halved
// twice, band by band, and a private window across band edges (rows 64, 128
// and 192) stays blank in each.
TEST_F(ScreenCapturerX11Test, AScreenTwiceTheFrameWidthArrivesHalvedAndStillBlanked)
{
    const Window secret = client.window(QRect(301, 61, 333, 151), red, "SecretApp", 4242);
    const Window other = client.window(QRect(700, 300, 200, 150), green, "Other", 4444);
    client.waitViewable({secret, other});
    const CaptureResult result = capturer.captureNow(secretApp, 320);
    ASSERT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.image.size(), QSize(320, 200));
    const QImage saved = savedFrame(result, 320);
    EXPECT_EQ(countNear(saved, red), 0);
    EXPECT_GT(countNear(saved, green), 1000);
}

TEST_F(ScreenCapturerX11Test, PrivateWindowOnTheSecondScreen)
{
    X11TestClient::xdotool({"mousemove", "--screen", "1", "10", "10"});
    const Window secret = client.window(QRect(100, 100, 300, 200), red, "SecretApp", 4242, {}, 1);
    const Window other = client.window(QRect(500, 300, 300, 200), green, "Other", 4444, {}, 1);
    client.waitViewable({secret, other});
    const CaptureResult result = capturer.captureNow(secretApp);
    ASSERT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.image.size(), QSize(1024, 768));
    const QImage blanked = savedFrame(result);
    EXPECT_EQ(countNear(blanked, red), 0);
    EXPECT_GT(countNear(blanked, green), 10000);
}

/// An X server of its own, for screens the test harness does not start.
struct OwnServer
{
    explicit OwnServer(const QString &screen, const QStringList &options = {})
    {
        server.setStandardOutputFile(dir.filePath(QStringLiteral("display")));
        server.start(QStringLiteral("Xvfb"),
            QStringList {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"} + options);
        QFile file(dir.filePath(QStringLiteral("display")));
        X11TestClient::waitFor([&] { return file.size() > 0; }, 10000);
        file.open(QIODevice::ReadOnly);
        name = ":" + file.readAll().trimmed();
        connection = X11Connection::open(name);
    }
    ~OwnServer()
    {
        connection.reset();
        server.kill();
        server.waitForFinished();
    }

    QTemporaryDir dir;
    QProcess server;
    QByteArray name;
    std::shared_ptr<X11Connection> connection;
};

// With shared memory and without it, as on a remote display.
TEST(ScreenCapturerX11Depths, EveryTrueColourDepthGivesARealFrame)
{
    for (const QStringList &options : {QStringList {}, QStringList {"-extension", "MIT-SHM"}})
        for (const int depth : {16, 24, 30}) {
            const std::string where = std::to_string(depth) + (options.isEmpty() ? "" : " plain");
            OwnServer server(QStringLiteral("640x480x%1").arg(depth), options);
            ASSERT_TRUE(server.connection) << where;
            Display *display = server.connection->display();
            // The visual's own red, whatever its layout.
            const Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 40, 200,
                100, 0, 0, DefaultVisual(display, 0)->red_mask);
            XMapWindow(display, w);
            XSync(display, False);
            ScreenCapturerX11 capturer(server.connection, {});
            const CaptureResult result = capturer.captureNow({});
            ASSERT_TRUE(result.ok()) << where << " " << qPrintable(result.error);
            EXPECT_EQ(result.image.size(), QSize(640, 480)) << where;
            EXPECT_EQ(countNear(result.image, red), 200 * 100) << where;
            EXPECT_TRUE(ScreenPermissionX11(server.connection).isGranted()) << where;
        }
}

// The monitor under the pointer is captured, the first listed where two overlap.
TEST(ScreenCapturerX11Monitors, TheMonitorUnderThePointerIsCaptured)
{
    OwnServer server(QStringLiteral("1280x800x24"));
    ASSERT_TRUE(server.connection);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(server.name));
    QProcess xrandr;
    xrandr.setProcessEnvironment(environment);
    xrandr.start(
        QStringLiteral("xrandr"), {"--setmonitor", "right", "640/170x400/106+640+0", "none"});
    ASSERT_TRUE(xrandr.waitForFinished() && xrandr.exitCode() == 0);
    ScreenCapturerX11 capturer(server.connection, {});
    Display *display = server.connection->display();
    const struct
    {
        QPoint pointer;
        QSize size;
    } cases[] = {{{700, 100}, {640, 400}}, {{100, 600}, {1280, 800}}};
    for (const auto &c : cases) {
        XWarpPointer(
            display, None, DefaultRootWindow(display), 0, 0, 0, 0, c.pointer.x(), c.pointer.y());
        XSync(display, False);
        EXPECT_EQ(capturer.captureNow({}).image.size(), c.size) << c.pointer.x();
    }
}

TEST(ScreenCapturerX11Depths, APaletteScreenIsNotCapturableAndSaysWhy)
{
    OwnServer server(QStringLiteral("640x480x8"));
    ASSERT_TRUE(server.connection);
    ScreenPermissionX11 permission(server.connection);
    EXPECT_FALSE(permission.isGranted());
    EXPECT_TRUE(permission.support().reason.contains(QStringLiteral("8-bit")))
        << qPrintable(permission.support().reason);
}

TEST(ScreenCapturerX11LostServer, CapturesFailAndTheLossIsLoggedOnce)
{
    DiagCapture diag;
    OwnServer server(QStringLiteral("640x480x24"));
    ASSERT_TRUE(server.connection);
    ScreenCapturerX11 capturer(server.connection, {});
    ASSERT_TRUE(capturer.captureNow({}).ok());
    server.server.kill();
    server.server.waitForFinished();
    for (int i = 0; i < 3; ++i) {
        X11TestClient::settle(50);
        const CaptureResult result = capturer.captureNow({});
        EXPECT_FALSE(result.ok());
    }
    EXPECT_FALSE(server.connection->isAlive());
    EXPECT_EQ(capturer.captureNow({}).error, QStringLiteral("the X connection is lost"));
    EXPECT_EQ(diag.count(QStringLiteral("x11: connection lost")), 1);
}

} // namespace

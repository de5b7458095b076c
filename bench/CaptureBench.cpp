// The frame pipeline on real X servers: walk the window tree, grab under
// MIT-SHM, blank a real private window among ordinary ones, scale to 784 px,
// JPEG at 0.7, write the file; beside it the same frame made by ImageMagick's
// `import` on the same screen in the same run.

#include "Solitask/platform/linux/ScreenCapturerX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/witness/FrameEncoder.h"
#include "SolitaskCore/FileSafety.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

/// A private Xvfb with a busy picture on its root, a dozen ordinary windows and
/// a private one among them, part covered.
struct Screen
{
    explicit Screen(const QString &size)
    {
        server.setStandardOutputFile(dir.filePath(QStringLiteral("display")));
        server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", size + "x24",
                                                 "-nolisten", "tcp", "+extension", "MIT-SHM"});
        QFile file(dir.filePath(QStringLiteral("display")));
        for (int i = 0; i < 200 && file.size() == 0; ++i)
            QThread::msleep(25);
        file.open(QIODevice::ReadOnly);
        name = ":" + file.readAll().trimmed();
        connection = X11Connection::open(name);
        if (connection)
            paint();
    }
    ~Screen()
    {
        capturer.reset();
        connection.reset();
        server.kill();
        server.waitForFinished();
    }

    // Text-like noise: JPEG work on a flat screen would flatter both sides.
    void paint()
    {
        Display *display = connection->display();
        const int width = DisplayWidth(display, 0), height = DisplayHeight(display, 0);
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QRandomGenerator random(7);
        for (int y = 10; y < height; y += 18)
            for (int x = 10; x < width - 60; x += 70)
                painter.fillRect(x, y, 20 + int(random.bounded(45)), 9,
                    QColor::fromRgb(random.generate() & 0x7f7f7f));
        painter.end();
        XImage *ximage = XCreateImage(display, DefaultVisual(display, 0), 24, ZPixmap, 0,
            reinterpret_cast<char *>(image.bits()), unsigned(width), unsigned(height), 32,
            int(image.bytesPerLine()));
        const Window root = DefaultRootWindow(display);
        Pixmap pixmap = XCreatePixmap(display, root, unsigned(width), unsigned(height), 24);
        XPutImage(display, pixmap, DefaultGC(display, 0), ximage, 0, 0, 0, 0, unsigned(width),
            unsigned(height));
        ximage->data = nullptr; // owned by the QImage
        XDestroyImage(ximage);
        XSetWindowBackgroundPixmap(display, root, pixmap);
        XClearWindow(display, root);
        XFreePixmap(display, pixmap);
        for (int i = 0; i < 12; ++i)
            window(QRect(40 + 90 * i, 30 + 50 * i, 640, 400), "Ordinary", 0xe8e8e8 - 0x0a0a0a * i);
        window(QRect(500, 300, 600, 400), privateApp, 0xcc2222);
        window(QRect(900, 500, 400, 300), "Ordinary", 0x2222cc);
        XSync(display, False);
        capturer = std::make_unique<ScreenCapturerX11>(connection, RunningApp {});
    }

    void window(const QRect &rect, const char *wmClass, unsigned long rgb)
    {
        Display *display = connection->display();
        const Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), rect.x(),
            rect.y(), unsigned(rect.width()), unsigned(rect.height()), 0, 0, rgb);
        XClassHint hint {const_cast<char *>(wmClass), const_cast<char *>(wmClass)};
        XSetClassHint(display, w, &hint);
        XMapWindow(display, w);
    }

    static constexpr const char *privateApp = "private.app";

    QTemporaryDir dir;
    QProcess server;
    QByteArray name;
    std::shared_ptr<X11Connection> connection;
    std::unique_ptr<ScreenCapturerX11> capturer;
};

void pipeline(benchmark::State &state, const char *size)
{
    Screen screen {QString::fromLatin1(size)};
    if (!screen.capturer) {
        state.SkipWithError("no Xvfb");
        return;
    }
    const QString path = screen.dir.filePath(QStringLiteral("frame.jpg"));
    const QStringList hidden {QString::fromLatin1(Screen::privateApp)};
    if (!screen.capturer->captureNow(hidden).ok()) {
        state.SkipWithError("capture failed");
        return;
    }
    qint64 bytes = 0;
    for (auto _ : state) {
        const CaptureResult result = screen.capturer->captureNow(hidden);
        const QByteArray jpeg = FrameEncoder::encode(result.image, 784);
        FileSafety::writeAtomically(path, jpeg);
        bytes = jpeg.size();
    }
    state.counters["jpeg_bytes"] = double(bytes);
}

void imageMagick(benchmark::State &state, const char *size)
{
    Screen screen {QString::fromLatin1(size)};
    const QString path = screen.dir.filePath(QStringLiteral("import.jpg"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(screen.name));
    for (auto _ : state) {
        QProcess import;
        import.setProcessEnvironment(environment);
        import.start(QStringLiteral("import"),
            {"-window", "root", "-resize", "784", "-quality", "70", path});
        if (!import.waitForFinished(60000) || import.exitCode() != 0) {
            state.SkipWithError("import failed");
            return;
        }
    }
}

BENCHMARK_CAPTURE(pipeline, 1920x1080, "1920x1080")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(imageMagick, 1920x1080, "1920x1080")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(pipeline, 2560x1600, "2560x1600")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(imageMagick, 2560x1600, "2560x1600")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

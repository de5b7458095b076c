// The frame pipeline on real X servers with a window manager: grab under
// MIT-SHM, blank a private window, scale to 784 px, JPEG at 0.7, write the
// file; beside it the same frame made by ImageMagick's `import` on the same
// screen in the same run. Costs are CPU time of every thread (children for
// `import`) plus the X server's, since a grab's work is partly the server's.

#include "Solitask/platform/linux/ScreenCapturerX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/witness/FrameEncoder.h"
#include "SolitaskCore/FileSafety.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const QRect privateWindow(300, 200, 640, 400);

double processCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double childrenCpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

/// A private Xvfb with openbox, a busy picture on its root and a window of a
/// private application.
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
        if (!connection)
            return;
        paint();
        if (startWindowManager())
            openPrivateWindow();
        capturer = std::make_unique<ScreenCapturerX11>(connection, RunningApp {});
    }
    ~Screen()
    {
        capturer.reset();
        connection.reset();
        for (QProcess *process : {&manager, &server}) {
            process->kill();
            process->waitForFinished();
        }
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), dir.path());
        return environment;
    }

    double serverCpuMs() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(server.processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
        // After the name: state is field 3, utime 14 and stime 15.
        return (fields.value(12).toDouble() + fields.value(13).toDouble()) * 1e3
            / double(sysconf(_SC_CLK_TCK));
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
        XSync(display, False);
    }

    bool startWindowManager()
    {
        manager.setProcessEnvironment(environment());
        manager.start(QStringLiteral("openbox"), {"--sm-disable"});
        for (int i = 0; i < 200; ++i) {
            // Openbox announces itself a moment before it manages windows.
            if (rootHas("_NET_SUPPORTING_WM_CHECK")) {
                QThread::msleep(1000);
                return true;
            }
            QThread::msleep(25);
        }
        return false;
    }

    bool rootHas(const char *property)
    {
        Display *display = connection->display();
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, property, False),
            0, 1024, False, AnyPropertyType, &type, &format, &count, &after, &data);
        if (data)
            XFree(data);
        return count > 0;
    }

    void openPrivateWindow()
    {
        Display *display = connection->display();
        const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display),
            privateWindow.x(), privateWindow.y(), unsigned(privateWindow.width()),
            unsigned(privateWindow.height()), 0, 0, 0xcc2222);
        XSizeHints hints {};
        hints.flags = USPosition | USSize;
        hints.x = privateWindow.x();
        hints.y = privateWindow.y();
        hints.width = privateWindow.width();
        hints.height = privateWindow.height();
        XSetWMNormalHints(display, window, &hints);
        char className[] = "private.app";
        XClassHint classHint {className, className};
        XSetClassHint(display, window, &classHint);
        XMapWindow(display, window);
        XSync(display, False);
        for (int i = 0; i < 200 && !rootHas("_NET_CLIENT_LIST_STACKING"); ++i)
            QThread::msleep(25);
        QThread::msleep(300); // the frame settles
    }

    QTemporaryDir dir;
    QProcess server;
    QProcess manager;
    QByteArray name;
    std::shared_ptr<X11Connection> connection;
    std::unique_ptr<ScreenCapturerX11> capturer;
};

/// Cost of one frame per screen size, ours and import's, for the closing ratio.
QMap<QString, std::pair<double, double>> &costs()
{
    static QMap<QString, std::pair<double, double>> map;
    return map;
}

bool privateWindowBlanked(const QImage &image)
{
    return image.pixel(privateWindow.center()) == ScreenCapturerX11::blankColour;
}

/// One frame's costs in CPU milliseconds of this process, stage by stage.
struct Stages
{
    double grab = 0, scale = 0, encode = 0, write = 0, total = 0;
};

// The frame as the witness makes it: `capture` hands the blanked screen to the
// encoder, then gives the heap back. `keep` grabs with `captureNow` instead,
// keeping the heap from one frame to the next: the difference is what fresh
// memory costs a frame.
void pipeline(benchmark::State &state, const char *size, bool keep)
{
    Screen screen {QString::fromLatin1(size)};
    const QStringList hidden {QStringLiteral("private.app")};
    // The window manager lists the new window a moment after it maps.
    bool blanked = false;
    for (int i = 0; i < 100 && screen.capturer && !blanked; ++i) {
        blanked = privateWindowBlanked(screen.capturer->captureNow(hidden).image);
        if (!blanked)
            QThread::msleep(50);
    }
    if (!blanked) {
        state.SkipWithError("no Xvfb and openbox, or the private window was not blanked");
        return;
    }
    const QString path = screen.dir.filePath(QStringLiteral("frame.jpg"));
    Stages sum;
    qint64 bytes = 0;
    double grabbed = 0;
    const auto encode = [&](const CaptureResult &result) {
        const double t1 = processCpuMs();
        sum.grab += t1 - grabbed;
        const QImage small = FrameEncoder::scaled(result.image, 784);
        const double t2 = processCpuMs();
        const QByteArray jpeg = FrameEncoder::jpeg(small);
        const double t3 = processCpuMs();
        FileSafety::writeAtomically(path, jpeg);
        sum.write += processCpuMs() - t3;
        sum.scale += t2 - t1;
        sum.encode += t3 - t2;
        bytes = jpeg.size();
    };
    const double server = screen.serverCpuMs();
    for (auto _ : state) {
        const double start = grabbed = processCpuMs();
        if (keep)
            encode(screen.capturer->captureNow(hidden, 784));
        else
            screen.capturer->capture(hidden, 784, encode);
        sum.total += processCpuMs() - start;
    }
    const double frames = double(state.iterations());
    const double serverMs = (screen.serverCpuMs() - server) / frames;
    state.counters["grab_blank_ms"] = sum.grab / frames;
    state.counters["scale_ms"] = sum.scale / frames;
    state.counters["jpeg_ms"] = sum.encode / frames;
    state.counters["write_ms"] = sum.write / frames;
    state.counters["give_back_ms"]
        = (sum.total - sum.grab - sum.scale - sum.encode - sum.write) / frames;
    state.counters["cpu_ms"] = sum.total / frames;
    state.counters["server_ms"] = serverMs;
    state.counters["jpeg_bytes"] = double(bytes);
    if (!keep)
        costs()[QString::fromLatin1(size)].first = sum.total / frames + serverMs;
}

void imageMagick(benchmark::State &state, const char *size)
{
    Screen screen {QString::fromLatin1(size)};
    const QString path = screen.dir.filePath(QStringLiteral("import.jpg"));
    const double server = screen.serverCpuMs();
    const double children = childrenCpuMs();
    for (auto _ : state) {
        QProcess import;
        import.setProcessEnvironment(screen.environment());
        import.start(QStringLiteral("import"),
            {"-window", "root", "-resize", "784", "-quality", "70", path});
        if (!import.waitForFinished(60000) || import.exitCode() != 0) {
            state.SkipWithError("import failed");
            return;
        }
    }
    const double frames = double(state.iterations());
    const double cpu = (childrenCpuMs() - children) / frames;
    const double serverMs = (screen.serverCpuMs() - server) / frames;
    state.counters["cpu_ms"] = cpu;
    state.counters["server_ms"] = serverMs;
    costs()[QString::fromLatin1(size)].second = cpu + serverMs;
}

BENCHMARK_CAPTURE(pipeline, 1920x1080, "1920x1080", false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(pipeline, 1920x1080_heap_kept, "1920x1080", true)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(imageMagick, 1920x1080, "1920x1080")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(pipeline, 2560x1600, "2560x1600", false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
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
    for (auto it = costs().cbegin(); it != costs().cend(); ++it) {
        const auto [ours, theirs] = it.value();
        if (ours > 0 && theirs > 0)
            std::printf("%s: a frame costs %.2f ms of CPU (all threads and the X server), "
                        "import %.1f ms: %.0fx cheaper\n",
                qPrintable(it.key()), ours, theirs, theirs / ours);
    }
    return 0;
}

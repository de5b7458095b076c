#include "Solitask/platform/kde/KWinScreenShot.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int answerMs = 5000;
constexpr int pixelsMs = 2000;

/// Both ends of a pipe, closed when it goes.
struct Pipe
{
    int fds[2] = {-1, -1};
    bool open() { return pipe2(fds, O_CLOEXEC) == 0; }
    ~Pipe()
    {
        for (int fd : fds) {
            if (fd >= 0)
                close(fd);
        }
    }
};

QImage imageOf(const QVariantMap &results, int fd, QString *error)
{
    if (results.value(QStringLiteral("type")).toString() != QLatin1String("raw")) {
        *error = QStringLiteral("KWin sent the screenshot in an unknown form");
        return {};
    }
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const auto format = QImage::Format(results.value(QStringLiteral("format")).toUInt());
    if (width <= 0 || height <= 0 || stride < width * 4 || format <= QImage::Format_Invalid
        || format >= QImage::NImageFormats) {
        *error = QStringLiteral("KWin described the screenshot oddly");
        return {};
    }
    const QByteArray pixels = KWinScreenShot::readPipe(fd, qsizetype(stride) * height, pixelsMs);
    if (pixels.isEmpty()) {
        *error = QStringLiteral("KWin did not send the screenshot's pixels in time");
        return {};
    }
    const QImage view(
        reinterpret_cast<const uchar *>(pixels.constData()), width, height, stride, format);
    // A deep copy: the view lives on the buffer that goes with this function.
    return view.convertToFormat(QImage::Format_RGB32).copy();
}

} // namespace

namespace KWinScreenShot {

QByteArray readPipe(int fd, qsizetype size, int timeoutMs)
{
    QByteArray data(size, Qt::Uninitialized);
    qsizetype got = 0;
    const QDeadlineTimer deadline(timeoutMs);
    while (got < size) {
        pollfd p {fd, POLLIN, 0};
        const int ready = poll(&p, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return {};
        const ssize_t n = read(fd, data.data() + got, size_t(size - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return {};
        got += n;
    }
    return data;
}

void captureWorkspace(const QDBusConnection &bus, Done done)
{
    auto pipe = std::make_shared<Pipe>();
    if (!pipe->open()) {
        done({}, QStringLiteral("no pipe for the screenshot"), false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin.ScreenShot2"),
        QStringLiteral("/org/kde/KWin/ScreenShot2"), QStringLiteral("org.kde.KWin.ScreenShot2"),
        QStringLiteral("CaptureWorkspace"));
    call << QVariantMap {{QStringLiteral("include-cursor"), false}}
         << QVariant::fromValue(QDBusUnixFileDescriptor(pipe->fds[1]));
    // Only KWin may hold the writing end, so that a KWin gone leaves no writer.
    close(pipe->fds[1]);
    pipe->fds[1] = -1;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, answerMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
        [pipe, done = std::move(done)](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            const QDBusPendingReply<QVariantMap> reply = *w;
            if (reply.isError()) {
                const bool refused = reply.error().name().endsWith(QLatin1String("NoAuthorized"));
                done({}, QStringLiteral("KWin gave no screenshot: ") + reply.error().message(),
                    refused);
                return;
            }
            QString error;
            QImage image = imageOf(reply.value(), pipe->fds[0], &error);
            done(std::move(image), error, false);
        });
}

} // namespace KWinScreenShot

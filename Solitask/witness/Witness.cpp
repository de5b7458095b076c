#include "Solitask/witness/Witness.h"

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/witness/FrameEncoder.h"
#include "Solitask/witness/SampleFrames.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

FrameMeta frameOf(const QString &id, const QDateTime &now, const Witness::Frontmost &front)
{
    return FrameMeta {id, now, front.name, front.bundleID, front.windowTitle, std::nullopt,
        std::nullopt};
}

} // namespace

Witness::Witness(QString framesDir, PlatformServices &platform, const Clock &clock,
    QObject *parent)
    : QObject(parent)
    , m_framesDir(std::move(framesDir))
    , m_platform(platform)
    , m_clock(clock)
{
    FileSafety::makePrivateDir(m_framesDir);
}

bool Witness::isScreenLocked() const
{
    return m_platform.sessionEvents->isScreenLocked();
}

bool Witness::canCapture() const
{
    return m_platform.screenPermission->isGranted();
}

QString Witness::windowTitle(qint32 pid) const
{
    return pid == 0 ? QString() : m_platform.windowTitles->windowTitle(pid);
}

Witness::Frontmost Witness::frontmost() const
{
    const std::optional<RunningApp> app = m_platform.activeApp->frontmost();
    if (!app)
        return {};
    Frontmost front {app->name, app->bundleID, app->pid,
        m_platform.windowTitles->activeWindowTitle()};
    if (front.name.isEmpty())
        front.name = QStringLiteral("Unknown");
    return front;
}

// Rules 1 to 3 of the skip order; they cost nothing to ask.
std::optional<SkipReason> Witness::earlyReason(const CaptureRequest &request) const
{
    if (!m_platform.screenPermission->isGranted())
        return SkipReason::noPermission;
    if (isScreenLocked())
        return SkipReason::locked;
    if (m_platform.idle->idleSeconds() > request.idleLimit)
        return SkipReason::idle;
    return std::nullopt;
}

// Rules 4 to 6, once the camera has answered.
std::optional<SkipReason> Witness::laterReason(const CaptureRequest &request,
    const Frontmost &front, bool camera, bool busy)
{
    if (request.skipWhileCamera && camera)
        return SkipReason::camera;
    // An app without an id is never private, even if the list holds an empty id.
    if (!front.bundleID.isEmpty() && request.privateBundleIDs.contains(front.bundleID))
        return SkipReason::privateApp;
    if (busy)
        return SkipReason::failed;
    return std::nullopt;
}

// The camera is looked for off the main thread; the answer comes back on it.
void Witness::checkCamera(bool wanted, std::function<void(bool)> done)
{
    if (!wanted) {
        done(false);
        return;
    }
    QPointer<Witness> self(this);
    m_platform.camera->query([self, done = std::move(done)](bool running) {
        if (self)
            done(running);
    });
}

FrameMeta Witness::skipped(SkipReason reason, const QDateTime &now, const Frontmost &front)
{
    m_lastSkip = reason;
    Diag::log(QStringLiteral("frame skipped: %1 (%2)").arg(rawValue(reason), front.name));
    FrameMeta frame = frameOf(newId(), now, front);
    frame.skipped = reason;
    // A private app's title is as private as its window.
    if (reason == SkipReason::privateApp)
        frame.windowTitle.clear();
    return frame;
}

void Witness::capture(const CaptureRequest &request, std::function<void(FrameMeta)> done)
{
    const QDateTime now = m_clock.now();
    const Frontmost front = frontmost();
    if (const auto reason = earlyReason(request)) {
        done(skipped(*reason, now, front));
        return;
    }
    // The flag is held from here, so a capture started while the camera is
    // looked for counts as a second one.
    const bool busy = m_capturing;
    m_capturing = true;
    checkCamera(request.skipWhileCamera,
        [this, request, now, front, busy, done = std::move(done)](bool camera) mutable {
            if (const auto reason = laterReason(request, front, camera, busy)) {
                if (!busy)
                    m_capturing = false;
                done(skipped(*reason, now, front));
                return;
            }
            grab(request, now, front, std::move(done));
        });
}

void Witness::grab(const CaptureRequest &request, const QDateTime &now, const Frontmost &front,
    std::function<void(FrameMeta)> done)
{
    const int width = std::max(request.width, FrameEncoder::minimumWidth);
    QPointer<Witness> self(this);
    m_platform.capturer->capture(request.privateBundleIDs, width,
        [self, now, front, width, done = std::move(done)](const CaptureResult &result) {
            if (!self)
                return;
            self->m_capturing = false;
            done(self->finish(result, now, front, width));
        });
}

void Witness::peek(const CaptureRequest &request, std::function<void(Peek)> done)
{
    const Frontmost front = frontmost();
    if (const auto reason = earlyReason(request)) {
        done({reason, {}, {}});
        return;
    }
    const int width = std::max(request.width, FrameEncoder::minimumWidth);
    checkCamera(request.skipWhileCamera,
        [this, request, front, width, done = std::move(done)](bool camera) mutable {
            if (const auto reason = laterReason(request, front, camera, false)) {
                done({reason, {}, {}});
                return;
            }
            m_platform.capturer->capture(request.privateBundleIDs, width,
                [width, done = std::move(done)](const CaptureResult &result) {
                    if (result.privacyUnknown)
                        done({SkipReason::privateApp, {}, result.error});
                    else if (const QByteArray jpeg = FrameEncoder::encode(result.image, width);
                             result.ok() && !jpeg.isEmpty())
                        done({std::nullopt, jpeg, {}});
                    else
                        done({SkipReason::failed, {}, result.error});
                });
        });
}

FrameMeta Witness::failed(const QString &error, const QDateTime &now, const Frontmost &front)
{
    if (!error.isEmpty() && error != m_lastFailure)
        Diag::log(QStringLiteral("capture failed: ") + error);
    if (!error.isEmpty())
        m_lastFailure = error;
    return skipped(SkipReason::failed, now, front);
}

// Without knowing where every private window is, no frame may leave: the
// frame counts as a private app's.
FrameMeta Witness::unsure(const QString &why, const QDateTime &now, const Frontmost &front)
{
    if (why != m_lastFailure)
        Diag::log(QStringLiteral("capture withheld: ") + why);
    m_lastFailure = why;
    return skipped(SkipReason::privateApp, now, front);
}

FrameMeta Witness::finish(const CaptureResult &result, const QDateTime &now,
    const Frontmost &front, int width)
{
    if (result.privacyUnknown)
        return unsure(result.error, now, front);
    if (!result.ok())
        return failed(result.error.isEmpty() ? QStringLiteral("no image") : result.error, now,
            front);
    const QByteArray jpeg = FrameEncoder::encode(result.image, width);
    if (jpeg.isEmpty())
        return failed(QString(), now, front);
    const QString id = newId();
    const QString file = id + QStringLiteral(".jpg");
    if (!writeFrame(file, jpeg))
        return failed(QStringLiteral("cannot write ") + QDir(m_framesDir).filePath(file), now,
            front);
    m_lastSkip.reset();
    m_lastFailure.clear();
    // Titles stay out of the log: it outlives the frames they describe.
    Diag::log(QStringLiteral("frame captured: %1 (%2 KB)").arg(front.name).arg(jpeg.size() / 1024));
    FrameMeta frame = frameOf(id, now, front);
    frame.file = file;
    return frame;
}

bool Witness::writeFrame(const QString &file, const QByteArray &jpeg) const
{
    // The folder may have been removed since start-up.
    return FileSafety::makePrivateDir(m_framesDir)
        && FileSafety::writeAtomically(QDir(m_framesDir).filePath(file), jpeg);
}

FrameMeta Witness::fakeCapture(int index)
{
    const QDateTime now = m_clock.now();
    const QList<SampleFrames::Sample> samples
        = SampleFrames::make(SampleFrames::defaultWidth, Calendar::system(), now);
    const qsizetype count = samples.size();
    const SampleFrames::Sample &sample = samples[((index % count) + count) % count];
    const QString id = newId();
    const QString file = id + QStringLiteral(".jpg");
    writeFrame(file, sample.jpeg);
    m_lastSkip.reset();
    FrameMeta frame {id, now, sample.meta.appName, sample.meta.bundleID, sample.meta.windowTitle,
        std::nullopt, file};
    return frame;
}

std::optional<QString> Witness::url(const FrameMeta &frame) const
{
    if (!frame.file)
        return std::nullopt;
    // A day file edited by hand must not point outside the frames folder.
    const QString &name = *frame.file;
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..")
        || name == QLatin1String("."))
        return std::nullopt;
    const QString path = QDir(m_framesDir).filePath(name);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

void Witness::cleanup(int retentionHours, const QSet<QString> &keep, const QDateTime &now)
{
    QDir dir(m_framesDir);
    if (!dir.exists())
        return;
    const QDateTime cutoff = now.addSecs(-qint64(retentionHours) * 3600);
    int removed = 0;
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (entry.suffix() != QLatin1String("jpg") || keep.contains(entry.fileName()))
            continue;
        const QDateTime modified = entry.lastModified();
        if (retentionHours >= 1 && modified.isValid() && modified >= cutoff)
            continue;
        if (QFile::remove(entry.absoluteFilePath()))
            ++removed;
    }
    if (removed >= 1)
        Diag::log(QStringLiteral("cleanup removed %1 frames").arg(removed));
}

#include "Solitask/platform/fake/FakePlatform.h"
#include "Solitask/session/VirtualClock.h"
#include "Solitask/witness/Witness.h"
#include "fakes/DiagCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr auto ownerAndOthers = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
    | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
    | QFile::ExeOther;

const RunningApp editor {QStringLiteral("Editor"), QStringLiteral("org.example.Editor"), 42};

class WitnessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.activeApp->setFrontmost(editor);
        platform.windowTitles->setActiveTitle(QStringLiteral("Parser notes"));
    }

    QString framesDir() const { return dir.filePath(QStringLiteral("frames")); }

    FrameMeta capture(CaptureRequest request = {})
    {
        std::optional<FrameMeta> result;
        witness.capture(request, [&](FrameMeta frame) { result = frame; });
        EXPECT_TRUE(result.has_value());
        return result.value_or(FrameMeta {});
    }

    static CaptureRequest privateList(QStringList ids)
    {
        CaptureRequest request;
        request.privateBundleIDs = std::move(ids);
        return request;
    }

    QTemporaryDir dir;
    DiagCapture diag;
    FakePlatform platform;
    VirtualClock clock;
    Witness witness {framesDir(), platform.services, clock};
};

TEST_F(WitnessTest, PermissionIsCheckedBeforeTheLock)
{
    platform.screenPermission->setGranted(false);
    platform.sessionEvents->setLocked(true);
    const FrameMeta frame = capture();
    EXPECT_EQ(frame.skipped, SkipReason::noPermission);
    EXPECT_EQ(witness.lastSkip(), SkipReason::noPermission);
    EXPECT_TRUE(diag.messages().contains(QStringLiteral("frame skipped: noPermission (Editor)")));
    EXPECT_EQ(platform.capturer->captures(), 0);
}

TEST_F(WitnessTest, LockIsCheckedBeforeIdleAndIdleBeforeCamera)
{
    platform.sessionEvents->setLocked(true);
    platform.idle->setIdleSeconds(5000);
    platform.camera->setRunning(true);
    EXPECT_EQ(capture().skipped, SkipReason::locked);
    platform.sessionEvents->setLocked(false);
    EXPECT_EQ(capture().skipped, SkipReason::idle);
    EXPECT_EQ(platform.camera->queries(), 0);
    EXPECT_TRUE(diag.messages().contains(QStringLiteral("frame skipped: idle (Editor)")));
}

TEST_F(WitnessTest, IdleCountsOnlyBeyondTheLimit)
{
    platform.idle->setIdleSeconds(600);
    EXPECT_FALSE(capture().skipped.has_value());
    platform.idle->setIdleSeconds(600.5);
    EXPECT_EQ(capture().skipped, SkipReason::idle);
}

TEST_F(WitnessTest, CameraSkipsOnlyWhileTheSwitchIsOn)
{
    platform.camera->setRunning(true);
    CaptureRequest request;
    request.skipWhileCamera = false;
    EXPECT_TRUE(capture(request).isUsable());
    EXPECT_EQ(platform.camera->queries(), 0);
    request.skipWhileCamera = true;
    EXPECT_EQ(capture(request).skipped, SkipReason::camera);
}

TEST_F(WitnessTest, CameraComesBeforeAPrivateApp)
{
    platform.camera->setRunning(true);
    EXPECT_EQ(capture(privateList({editor.bundleID})).skipped, SkipReason::camera);
}

TEST_F(WitnessTest, PrivateFrontmostAppIsSkippedWithoutItsTitle)
{
    const FrameMeta frame = capture(privateList({QStringLiteral("x"), editor.bundleID}));
    EXPECT_EQ(frame.skipped, SkipReason::privateApp);
    EXPECT_TRUE(frame.windowTitle.isEmpty());
    EXPECT_FALSE(frame.file.has_value());
    EXPECT_EQ(platform.capturer->captures(), 0);
}

TEST_F(WitnessTest, PrivateMatchIsExactAndCaseSensitive)
{
    EXPECT_TRUE(capture(privateList({QStringLiteral("org.example.editor")})).isUsable());
}

TEST_F(WitnessTest, AppWithoutAnIdIsNeverPrivate)
{
    platform.activeApp->setFrontmost(RunningApp {QStringLiteral("Tool"), QString(), 7});
    EXPECT_TRUE(capture(privateList({QString()})).isUsable());
}

TEST_F(WitnessTest, PrivateAppsInTheBackgroundArePassedToTheCapturer)
{
    capture(privateList({QStringLiteral("com.bitwarden.desktop")}));
    EXPECT_EQ(platform.capturer->lastExcluded(), QStringList {"com.bitwarden.desktop"});
}

TEST_F(WitnessTest, NoFrontmostAppIsUnknown)
{
    platform.activeApp->setFrontmost(std::nullopt);
    const FrameMeta frame = capture();
    EXPECT_EQ(frame.appName, QStringLiteral("Unknown"));
    EXPECT_TRUE(frame.bundleID.isEmpty());
    EXPECT_TRUE(frame.windowTitle.isEmpty());
    EXPECT_EQ(witness.frontmost().pid, 0);
}

TEST_F(WitnessTest, SecondCaptureDuringTheFirstFailsWithoutACaptureFailedLine)
{
    platform.capturer->setHoldCompletions(true);
    std::optional<FrameMeta> first;
    witness.capture({}, [&](FrameMeta frame) { first = frame; });
    EXPECT_TRUE(witness.capturing());
    EXPECT_EQ(capture().skipped, SkipReason::failed);
    platform.capturer->completePending();
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(first->isUsable());
    EXPECT_FALSE(witness.capturing());
    const QStringList messages = diag.messages();
    EXPECT_EQ(messages.count(QStringLiteral("frame skipped: failed (Editor)")), 1);
    EXPECT_TRUE(messages.filter(QStringLiteral("capture failed: ")).isEmpty());
}

TEST_F(WitnessTest, CaptionDescribesTheMomentTheCaptureBegan)
{
    platform.capturer->setHoldCompletions(true);
    const QDateTime start = clock.now();
    std::optional<FrameMeta> frame;
    witness.capture({}, [&](FrameMeta f) { frame = f; });
    clock.advance(5);
    platform.activeApp->setFrontmost(RunningApp {QStringLiteral("Other"), QStringLiteral("o"), 9});
    platform.capturer->completePending();
    EXPECT_EQ(frame->time, start);
    EXPECT_EQ(frame->appName, QStringLiteral("Editor"));
}

TEST_F(WitnessTest, CapturedFrameIsAPrivateJpegNamedByItsUpperCaseId)
{
    const FrameMeta frame = capture();
    ASSERT_TRUE(frame.isUsable());
    EXPECT_EQ(frame.id.size(), 36);
    EXPECT_EQ(frame.id, frame.id.toUpper());
    EXPECT_EQ(*frame.file, frame.id + QStringLiteral(".jpg"));
    const QFileInfo file(QDir(framesDir()).filePath(*frame.file));
    EXPECT_EQ(file.permissions() & ownerAndOthers, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(QFileInfo(framesDir()).permissions() & ownerAndOthers,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(witness.lastSkip().has_value());
    EXPECT_EQ(diag.messages().filter(QStringLiteral("frame captured: Editor (")).size(), 1);
    EXPECT_TRUE(diag.messages().filter(QStringLiteral("Parser notes")).isEmpty());
    EXPECT_EQ(frame.windowTitle, QStringLiteral("Parser notes"));
}

TEST_F(WitnessTest, FrameSizeFollowsTheDisplayProportions)
{
    QImage image(*witness.url(capture()));
    EXPECT_EQ(image.size(), QSize(784, 509)); // the fake display is 1512 x 982
    CaptureRequest narrow;
    narrow.width = 200;
    EXPECT_EQ(QImage(*witness.url(capture(narrow))).width(), 320);
}

TEST_F(WitnessTest, RepeatedFailureIsLoggedOnceButEveryFrameIsSkipped)
{
    platform.capturer->setResult(CaptureResult::failure(QStringLiteral("the X connection is lost")));
    EXPECT_EQ(capture().skipped, SkipReason::failed);
    EXPECT_EQ(capture().skipped, SkipReason::failed);
    EXPECT_EQ(witness.lastSkip(), SkipReason::failed);
    EXPECT_EQ(diag.count(QStringLiteral("capture failed: the X connection is lost")), 1);
    EXPECT_EQ(diag.count(QStringLiteral("frame skipped: failed (Editor)")), 2);
}

TEST_F(WitnessTest, UnknownPrivateWindowsWithholdTheFrameAsPrivate)
{
    platform.capturer->setResult(CaptureResult::unsure(QStringLiteral("the window stack could not be read")));
    for (int i = 0; i < 2; ++i) {
        const FrameMeta frame = capture();
        EXPECT_EQ(frame.skipped, SkipReason::privateApp);
        EXPECT_FALSE(frame.file.has_value());
    }
    EXPECT_EQ(diag.count(QStringLiteral("capture withheld: the window stack could not be read")), 1);
    EXPECT_TRUE(QDir(framesDir()).isEmpty());
}

TEST_F(WitnessTest, PeekAppliesTheRulesAndKeepsNothing)
{
    std::optional<Witness::Peek> seen;
    witness.peek({}, [&](Witness::Peek peek) { seen = peek; });
    ASSERT_TRUE(seen.has_value());
    EXPECT_FALSE(seen->skipped.has_value());
    EXPECT_FALSE(QImage::fromData(seen->jpeg, "JPEG").isNull());
    EXPECT_TRUE(QDir(framesDir()).isEmpty());
    witness.peek(privateList({editor.bundleID}), [&](Witness::Peek peek) { seen = peek; });
    EXPECT_EQ(seen->skipped, SkipReason::privateApp);
    EXPECT_TRUE(diag.messages().isEmpty());
    EXPECT_FALSE(witness.lastSkip().has_value());
}

TEST_F(WitnessTest, UnwritableFramesFolderGivesAFailedFrame)
{
    QDir(framesDir()).removeRecursively();
    QFile blocker(framesDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    EXPECT_EQ(capture().skipped, SkipReason::failed);
    EXPECT_EQ(diag.messages().filter(QStringLiteral("capture failed: cannot write ")).size(), 1);
}

TEST_F(WitnessTest, UrlNeedsAnExistingPlainFileName)
{
    const FrameMeta frame = capture();
    EXPECT_TRUE(witness.url(frame).has_value());
    FrameMeta other = frame;
    other.file = QStringLiteral("missing.jpg");
    EXPECT_FALSE(witness.url(other).has_value());
    other.file = QStringLiteral("../frames/") + *frame.file;
    EXPECT_FALSE(witness.url(other).has_value());
    other.file.reset();
    EXPECT_FALSE(witness.url(other).has_value());
}

class WitnessCleanupTest : public WitnessTest
{
protected:
    void makeFile(const QString &name, double hoursOld)
    {
        QFile file(QDir(framesDir()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.flush(); // a later flush would set the time again
        file.setFileTime(now.addSecs(qint64(-hoursOld * 3600)), QFileDevice::FileModificationTime);
    }
    bool exists(const QString &name) const { return QFile::exists(QDir(framesDir()).filePath(name)); }

    QDateTime now = QDateTime::currentDateTimeUtc();
};

TEST_F(WitnessCleanupTest, RemovesOnlyOldJpegsNotKept)
{
    makeFile(QStringLiteral("old.jpg"), 25);
    makeFile(QStringLiteral("young.jpg"), 23);
    makeFile(QStringLiteral("kept.jpg"), 25);
    makeFile(QStringLiteral("old.png"), 25);
    witness.cleanup(24, {QStringLiteral("kept.jpg")}, now);
    EXPECT_FALSE(exists(QStringLiteral("old.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("young.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("kept.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("old.png")));
    EXPECT_EQ(diag.count(QStringLiteral("cleanup removed 1 frames")), 1);
}

TEST_F(WitnessCleanupTest, ZeroRetentionRemovesEveryFrameNotKept)
{
    makeFile(QStringLiteral("a.jpg"), 0);
    makeFile(QStringLiteral("b.jpg"), 0);
    witness.cleanup(0, {QStringLiteral("b.jpg")}, now);
    EXPECT_FALSE(exists(QStringLiteral("a.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("b.jpg")));
}

TEST_F(WitnessCleanupTest, NothingRemovedLogsNothing)
{
    makeFile(QStringLiteral("young.jpg"), 1);
    witness.cleanup(24, {}, now);
    EXPECT_TRUE(diag.messages().filter(QStringLiteral("cleanup")).isEmpty());
}

TEST_F(WitnessTest, FakeCaptureWritesTheSampleAtTheIndexModuloSix)
{
    platform.idle->setIdleSeconds(5000);
    capture(); // leaves lastSkip set
    const FrameMeta frame = witness.fakeCapture(7);
    EXPECT_EQ(frame.appName, QStringLiteral("Slack"));
    EXPECT_EQ(frame.windowTitle, QStringLiteral("#eng"));
    EXPECT_TRUE(frame.isUsable());
    EXPECT_TRUE(witness.url(frame).has_value());
    EXPECT_FALSE(witness.lastSkip().has_value());
    EXPECT_EQ(witness.fakeCapture(-1).appName, QStringLiteral("Safari"));
}

} // namespace

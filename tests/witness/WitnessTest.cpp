#include "Solitask/witness/Witness.h"
#include "Solitask/platform/fake/FakePlatform.h"
#include "Solitask/session/VirtualClock.h"
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

// Permission, lock, idle, camera, private app: the first that holds names the skip.
TEST_F(WitnessTest, SkipOrder)
{
    struct Case
    {
        const char *name;
        bool granted = true;
        bool locked = false;
        double idle = 0;
        bool camera = false;
        bool skipWhileCamera = true;
        QStringList privateIDs;
        std::optional<SkipReason> expected;
        bool cameraAsked = true;
    };
    const Case cases[] = {
        {"permission before lock", false, true, 5000, true, true, {}, SkipReason::noPermission,
            false},
        {"lock before idle", true, true, 5000, true, true, {}, SkipReason::locked, false},
        {"idle before camera", true, false, 5000, true, true, {}, SkipReason::idle, false},
        {"idle only beyond the limit", true, false, 600, false, true, {}, std::nullopt},
        {"idle just beyond the limit", true, false, 600.5, false, true, {}, SkipReason::idle,
            false},
        {"camera switch off", true, false, 0, true, false, {}, std::nullopt, false},
        {"camera before a private app", true, false, 0, true, true, {editor.bundleID},
            SkipReason::camera},
        {"private app", true, false, 0, false, true, {QStringLiteral("x"), editor.bundleID},
            SkipReason::privateApp},
        {"private match is exact and case-sensitive", true, false, 0, false, true,
            {QStringLiteral("org.example.editor")}, std::nullopt},
    };
    for (const Case &c : cases) {
        platform.screenPermission->setGranted(c.granted);
        platform.sessionEvents->setLocked(c.locked);
        platform.idle->setIdleSeconds(c.idle);
        platform.camera->setRunning(c.camera);
        const int queries = platform.camera->queries();
        const int captures = platform.capturer->captures();
        CaptureRequest request = privateList(c.privateIDs);
        request.skipWhileCamera = c.skipWhileCamera;
        const FrameMeta frame = capture(request);
        EXPECT_EQ(frame.skipped, c.expected) << c.name;
        EXPECT_EQ(platform.camera->queries() > queries, c.cameraAsked) << c.name;
        if (!c.expected)
            continue;
        EXPECT_EQ(witness.lastSkip(), c.expected) << c.name;
        EXPECT_EQ(platform.capturer->captures(), captures) << c.name;
        EXPECT_FALSE(frame.file.has_value()) << c.name;
        EXPECT_EQ(diag.messages().last(),
            QStringLiteral("frame skipped: %1 (Editor)").arg(rawValue(*c.expected)))
            << c.name;
    }
}

TEST_F(WitnessTest, PrivateFrontmostAppLeavesOutItsTitleAndAnAppWithoutAnIdIsNeverPrivate)
{
    EXPECT_TRUE(capture(privateList({editor.bundleID})).windowTitle.isEmpty());
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

TEST_F(WitnessTest, CapturedFrameIsAPrivateJpegNamedByItsId)
{
    const FrameMeta frame = capture();
    ASSERT_TRUE(frame.isUsable());
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
    EXPECT_EQ(platform.capturer->lastMinWidth(), 320); // lets a large screen arrive reduced
}

TEST_F(WitnessTest, RepeatedFailureIsLoggedOnceButEveryFrameIsSkipped)
{
    platform.capturer->setResult(
        CaptureResult::failure(QStringLiteral("the X connection is lost")));
    EXPECT_EQ(capture().skipped, SkipReason::failed);
    EXPECT_EQ(capture().skipped, SkipReason::failed);
    EXPECT_EQ(witness.lastSkip(), SkipReason::failed);
    EXPECT_EQ(diag.count(QStringLiteral("capture failed: the X connection is lost")), 1);
    EXPECT_EQ(diag.count(QStringLiteral("frame skipped: failed (Editor)")), 2);
}

TEST_F(WitnessTest, UnknownPrivateWindowsWithholdTheFrameAsPrivate)
{
    platform.capturer->setResult(
        CaptureResult::unsure(QStringLiteral("the window stack could not be read")));
    for (int i = 0; i < 2; ++i) {
        const FrameMeta frame = capture();
        EXPECT_EQ(frame.skipped, SkipReason::privateApp);
        EXPECT_FALSE(frame.file.has_value());
    }
    EXPECT_EQ(
        diag.count(QStringLiteral("capture withheld: the window stack could not be read")), 1);
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
    bool exists(const QString &name) const
    {
        return QFile::exists(QDir(framesDir()).filePath(name));
    }

    QDateTime now = QDateTime::currentDateTimeUtc();
};

TEST_F(WitnessCleanupTest, RemovesOnlyOldJpegsNotKept)
{
    for (const char *name : {"old.jpg", "kept.jpg", "old.png"})
        makeFile(QString::fromLatin1(name), 25);
    makeFile(QStringLiteral("young.jpg"), 23);
    witness.cleanup(24, {QStringLiteral("kept.jpg")}, now);
    EXPECT_FALSE(exists(QStringLiteral("old.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("young.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("kept.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("old.png")));
    EXPECT_EQ(diag.count(QStringLiteral("cleanup removed 1 frames")), 1);
    witness.cleanup(24, {QStringLiteral("kept.jpg")}, now);
    EXPECT_EQ(diag.messages().filter(QStringLiteral("cleanup")).size(), 1)
        << "nothing removed, nothing logged";
    witness.cleanup(0, {QStringLiteral("kept.jpg")}, now); // zero retention
    EXPECT_FALSE(exists(QStringLiteral("young.jpg")));
    EXPECT_TRUE(exists(QStringLiteral("kept.jpg")));
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

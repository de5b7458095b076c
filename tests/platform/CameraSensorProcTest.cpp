#include "Solitask/platform/linux/CameraSensorProc.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A stand-in device file opened by a real child process, found through the
// real /proc.
class CameraSensorProcTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile device(dir.filePath(QStringLiteral("video0")));
        ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    }
    void TearDown() override
    {
        for (QProcess *child : children) {
            child->kill();
            child->waitForFinished();
            delete child;
        }
    }

    /// Runs `program` (a copy of sleep under that name) holding the device open.
    void holdDevice(const QString &program)
    {
        const QString path = dir.filePath(program);
        QFile::copy(QStringLiteral("/bin/sleep"), path);
        auto *child = new QProcess;
        child->start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("exec \"$0\" 30 3<\"$1\""), path,
                dir.filePath(QStringLiteral("video0"))});
        ASSERT_TRUE(child->waitForStarted());
        children << child;
        const QString link = QStringLiteral("/proc/%1/fd/3").arg(child->processId());
        QDeadlineTimer deadline(5000);
        while (QFile::symLinkTarget(link) != dir.filePath(QStringLiteral("video0"))
            && !deadline.hasExpired())
            QThread::msleep(10);
    }

    CameraSensorProc sensor() const
    {
        return CameraSensorProc(QStringLiteral("/proc"), dir.filePath(QStringLiteral("video")), {});
    }

    QTemporaryDir dir;
    QList<QProcess *> children;
};

TEST_F(CameraSensorProcTest, NobodyHoldingTheDeviceMeansNoCamera)
{
    EXPECT_TRUE(sensor().support().supported);
    EXPECT_FALSE(sensor().anyCameraRunning());
}

TEST_F(CameraSensorProcTest, ProcessHoldingTheDeviceMeansCameraInUse)
{
    holdDevice(QStringLiteral("videocall"));
    EXPECT_TRUE(sensor().anyCameraRunning());
}

TEST_F(CameraSensorProcTest, QueryAnswersOnTheMainThreadFromAWorker)
{
    holdDevice(QStringLiteral("videocall"));
    CameraSensorProc sensor(QStringLiteral("/proc"), dir.filePath(QStringLiteral("video")));
    std::optional<bool> answer;
    QThread *answeredOn = nullptr;
    sensor.query([&](bool running) {
        answer = running;
        answeredOn = QThread::currentThread();
    });
    EXPECT_FALSE(answer.has_value()); // not looked for on the caller's thread
    QDeadlineTimer deadline(5000);
    while (!answer && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(answer, std::optional<bool>(true));
    EXPECT_EQ(answeredOn, QCoreApplication::instance()->thread());
}

TEST_F(CameraSensorProcTest, MediaDaemonHoldingTheDeviceIsIgnored)
{
    holdDevice(QStringLiteral("pipewire"));
    holdDevice(QStringLiteral("wireplumber"));
    EXPECT_FALSE(sensor().anyCameraRunning());
}

TEST_F(CameraSensorProcTest, MissingProcIsNotSupported)
{
    CameraSensorProc missing(dir.filePath(QStringLiteral("no-proc")));
    EXPECT_FALSE(missing.support().supported);
    EXPECT_FALSE(missing.anyCameraRunning());
}

} // namespace

// `solitask --peek` on the test's X display: the frame a person would check,
// with a private app's window grey, or the reason no frame would be taken.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/X11TestClient.h"

namespace {

const QString binary = QStringLiteral(SOLITASK_BINARY);

int countNear(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - qRed(colour)) < 48
                && std::abs(qGreen(p) - qGreen(colour)) < 48
                && std::abs(qBlue(p) - qBlue(colour)) < 48;
        }
    return count;
}

class PeekTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (binary.isEmpty())
            GTEST_SKIP() << "built without the application";
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("HOME"), m_home.path());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        m_env.insert(QStringLiteral("SOLITASK_ROOT"), root());
        m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    }

    QString root() const { return m_home.filePath(QStringLiteral("root")); }
    QString frameFile() const { return m_home.filePath(QStringLiteral("peek.jpg")); }

    int peek()
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(binary, {QStringLiteral("--peek"), frameFile()});
        EXPECT_TRUE(process.waitForFinished(30000));
        m_stderr = process.readAllStandardError();
        return process.exitCode();
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_env;
    QByteArray m_stderr;
    X11TestClient client;
};

TEST_F(PeekTest, TheFrameHasThePrivateWindowGreyAndAPrivateAppInFrontGivesTheReason)
{
    const Window vault = client.window(QRect(100, 100, 400, 300), 0xff0000, "KeePassXC", 4242);
    const Window editor = client.window(QRect(600, 200, 400, 300), 0x00ff00, "Editor", 4343);
    X11TestClient::xdotool({"windowactivate", "--sync", QString::number(editor)});
    X11TestClient::settle(300);

    ASSERT_EQ(peek(), 0) << m_stderr.constData();
    const QImage frame(frameFile());
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.width(), 784);
    EXPECT_EQ(countNear(frame, qRgb(255, 0, 0)), 0);
    EXPECT_GT(countNear(frame, qRgb(0, 255, 0)), 20000);
    EXPECT_TRUE(QDir(root() + QStringLiteral("/frames")).isEmpty());

    QFile::remove(frameFile());
    X11TestClient::xdotool({"windowactivate", "--sync", QString::number(vault)});
    X11TestClient::settle(300);
    EXPECT_EQ(peek(), 1);
    EXPECT_TRUE(m_stderr.contains("skipped: privateApp")) << m_stderr.constData();
    EXPECT_FALSE(QFile::exists(frameFile()));
}

} // namespace

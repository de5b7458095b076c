#include "fakes/FakeClaude.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString binary = QStringLiteral(SOLITASK_BINARY);

// `solitask --self-test` as a person runs it, in a home, settings folder and
// store of its own, without a display.
class SelfTestCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (binary.isEmpty())
            GTEST_SKIP() << "built without the application";
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("HOME", home());
        m_env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        m_env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        m_env.insert("SOLITASK_ROOT", m_dir.filePath("root"));
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        m_env.remove("DISPLAY");
        m_env.remove("WAYLAND_DISPLAY");
    }

    QString home() const { return m_dir.filePath("home"); }

    void installFakeClaude(const QString &mode)
    {
        QDir().mkpath(home() + "/.local/bin");
        QFile::link(FakeClaude::path(), home() + "/.local/bin/claude");
        m_env.insert("FAKE_CLAUDE_MODE", mode);
        m_env.insert("FAKE_CLAUDE_RECORD", m_fake.recordDir());
    }

    void writeSettings(const QByteArray &lines)
    {
        QDir().mkpath(m_dir.filePath("config/Solitask"));
        QFile file(m_dir.filePath("config/Solitask/Solitask.conf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\n" + lines);
    }
    QByteArray settingsFile() const
    {
        QFile file(m_dir.filePath("config/Solitask/Solitask.conf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QJsonObject run(const QStringList &switches)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(binary, QStringList {"--self-test"} + switches);
        EXPECT_TRUE(process.waitForFinished(60000));
        m_exitCode = process.exitCode();
        m_stdout = process.readAllStandardOutput();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(m_stdout, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << m_stdout.constData();
        return document.object();
    }

    static QStringList failures(const QJsonObject &report)
    {
        QStringList list;
        for (const QJsonValue &failure : report.value("failures").toArray())
            list.append(failure.toString());
        return list;
    }

    QTemporaryDir m_dir;
    FakeClaude m_fake;
    QProcessEnvironment m_env;
    int m_exitCode = -1;
    QByteArray m_stdout;
};

TEST_F(SelfTestCommandTest, PlainRunReportsHealthyCoreAndExitsZero)
{
    const QJsonObject report = run({});
    EXPECT_EQ(m_exitCode, 0);
    EXPECT_EQ(report["store"].toString(), "ok");
    const QJsonArray sizes = report["sampleFrames"].toArray();
    ASSERT_EQ(sizes.size(), 6);
    for (const QJsonValue &size : sizes)
        EXPECT_GE(size.toInt(), 5000);
    EXPECT_TRUE(failures(report).isEmpty());
    EXPECT_EQ(report["prefs"]["cadence"].toInt(), 3);
    for (const char *key : {"thresholds", "screenRecording", "claudePath", "idleSeconds",
             "screenLocked", "cameraRunning", "frontmost"})
        EXPECT_TRUE(report.contains(QLatin1StringView(key))) << key;
    EXPECT_FALSE(report.contains("witness"));
    EXPECT_FALSE(report.contains("capture"));
    // Pretty-printed with sorted keys, and nothing else on standard output.
    EXPECT_EQ(m_stdout, QJsonDocument(report).toJson(QJsonDocument::Indented));
}

TEST_F(SelfTestCommandTest, AnUnusableRootFailsTheRunAndAnOpenOneIsNamed)
{
    const QString file = m_dir.filePath("a-file");
    QFile(file).open(QIODevice::WriteOnly);
    m_env.insert("SOLITASK_ROOT", file);
    QJsonObject report = run({});
    EXPECT_EQ(m_exitCode, 1);
    EXPECT_TRUE(failures(report).join(u'\n').contains("data folder " + file))
        << qPrintable(failures(report).join(u'\n'));

    const QString open = m_dir.filePath("open");
    QDir().mkpath(open);
    QFile::setPermissions(open, QFileDevice::Permissions(0x7777));
    m_env.insert("SOLITASK_ROOT", open);
    report = run({});
    EXPECT_EQ(report["root"].toString(), open);
    EXPECT_TRUE(report["rootWritableByOthers"].toBool());
}

TEST_F(SelfTestCommandTest, WithClaudeTheChosenModelReachesTheJudgeAndTheRunIsRemembered)
{
    writeSettings("witnessModel=economy\ncadenceMinutes=0\n");
    installFakeClaude("answer");
    const QJsonObject report = run({"--with-claude"});
    EXPECT_EQ(m_exitCode, 0);
    EXPECT_TRUE(failures(report).isEmpty());
    EXPECT_EQ(report["claudePath"].toString(), home() + "/.local/bin/claude");
    EXPECT_EQ(report["prefs"]["model"].toString(), "economy");
    EXPECT_EQ(report["prefs"]["cadence"].toInt(), 1);
    const QStringList args = m_fake.arguments();
    EXPECT_EQ(args.value(args.indexOf("--model") + 1), "claude-haiku-4-5");
    const QJsonValue witness = report["witness"];
    EXPECT_EQ(witness["verdict"].toString(), "aligned");
    EXPECT_DOUBLE_EQ(witness["costUSD"].toDouble(), 0.0123);
    EXPECT_GT(witness["seconds"].toDouble(), 0.0);
    EXPECT_TRUE(settingsFile().contains("lastSelfTest=")) << settingsFile().constData();
}

TEST_F(SelfTestCommandTest, AFailingWitnessFailsTheRun)
{
    installFakeClaude("error-login");
    const QJsonObject report = run({"--with-claude"});
    EXPECT_EQ(m_exitCode, 1);
    EXPECT_EQ(failures(report),
        QStringList {"witness: Claude Code isn't signed in: Not logged in · Please run /login"});
    EXPECT_FALSE(settingsFile().contains("lastSelfTest"));
}

TEST_F(SelfTestCommandTest, WithCaptureReportsTheFrameOrWhyItWasSkipped)
{
    const QJsonObject report = run({"--with-capture"});
    const QJsonObject capture = report["capture"].toObject();
    ASSERT_FALSE(capture.isEmpty()) << m_stdout.constData();
    EXPECT_TRUE(capture.contains("caption") && capture.contains("skipped"));
    EXPECT_EQ(m_exitCode, failures(report).isEmpty() ? 0 : 1);
}

} // namespace

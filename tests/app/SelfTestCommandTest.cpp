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
        m_env.insert(QStringLiteral("HOME"), home());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        m_env.insert(QStringLiteral("SOLITASK_ROOT"), m_dir.filePath(QStringLiteral("root")));
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.remove(QStringLiteral("DISPLAY"));
        m_env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    QString home() const { return m_dir.filePath(QStringLiteral("home")); }

    void installFakeClaude(const QString &mode)
    {
        QDir().mkpath(home() + QStringLiteral("/.local/bin"));
        QFile::link(FakeClaude::path(), home() + QStringLiteral("/.local/bin/claude"));
        m_env.insert(QStringLiteral("FAKE_CLAUDE_MODE"), mode);
        m_env.insert(QStringLiteral("FAKE_CLAUDE_RECORD"), m_fake.recordDir());
    }

    void writeSettings(const QByteArray &lines)
    {
        QDir().mkpath(m_dir.filePath(QStringLiteral("config/Solitask")));
        QFile file(m_dir.filePath(QStringLiteral("config/Solitask/Solitask.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\n" + lines);
    }

    QByteArray settingsFile() const
    {
        QFile file(m_dir.filePath(QStringLiteral("config/Solitask/Solitask.conf")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QJsonObject run(const QStringList &switches)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(binary, QStringList {QStringLiteral("--self-test")} + switches);
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
        for (const QJsonValue &failure : report.value(QStringLiteral("failures")).toArray())
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
    EXPECT_EQ(report.value(QStringLiteral("thresholds")).toString(), QStringLiteral("mostly"));
    EXPECT_EQ(report.value(QStringLiteral("store")).toString(), QStringLiteral("ok"));
    const QJsonArray sizes = report.value(QStringLiteral("sampleFrames")).toArray();
    ASSERT_EQ(sizes.size(), 6);
    for (const QJsonValue &size : sizes)
        EXPECT_GE(size.toInt(), 5000);
    EXPECT_TRUE(failures(report).isEmpty());
    const QJsonObject prefs = report.value(QStringLiteral("prefs")).toObject();
    EXPECT_EQ(prefs.value(QStringLiteral("cadence")).toInt(), 3);
    EXPECT_EQ(prefs.value(QStringLiteral("model")).toString(), QStringLiteral("sonnet"));
    EXPECT_DOUBLE_EQ(prefs.value(QStringLiteral("opacity")).toDouble(), 0.3);
    EXPECT_TRUE(prefs.value(QStringLiteral("insist")).toBool());
    EXPECT_TRUE(prefs.value(QStringLiteral("quietWeekends")).toBool());
    for (const char *key : {"screenRecording", "claudePath", "idleSeconds", "screenLocked",
             "cameraRunning", "frontmost"})
        EXPECT_TRUE(report.contains(QString::fromLatin1(key))) << key;
    EXPECT_FALSE(report.contains(QStringLiteral("witness")));
    EXPECT_FALSE(report.contains(QStringLiteral("capture")));
    // Pretty-printed with sorted keys, and nothing else on standard output.
    EXPECT_EQ(m_stdout, QJsonDocument(report).toJson(QJsonDocument::Indented));
}

TEST_F(SelfTestCommandTest, AnUnusableRootFailsTheRunAndAnOpenOneIsNamed)
{
    const QString file = m_dir.filePath(QStringLiteral("a-file"));
    QFile(file).open(QIODevice::WriteOnly);
    m_env.insert(QStringLiteral("SOLITASK_ROOT"), file);
    QJsonObject report = run({});
    EXPECT_EQ(m_exitCode, 1);
    EXPECT_TRUE(failures(report).join(u'\n').contains(QStringLiteral("data folder ") + file))
        << qPrintable(failures(report).join(u'\n'));

    const QString open = m_dir.filePath(QStringLiteral("open"));
    QDir().mkpath(open);
    QFile::setPermissions(open, QFileDevice::Permissions(0x7777));
    m_env.insert(QStringLiteral("SOLITASK_ROOT"), open);
    report = run({});
    EXPECT_EQ(report.value(QStringLiteral("root")).toString(), open);
    EXPECT_TRUE(report.value(QStringLiteral("rootWritableByOthers")).toBool());
}

TEST_F(SelfTestCommandTest, WithClaudeButNoneInstalledNamesThisComputer)
{
    const QJsonObject report = run({QStringLiteral("--with-claude")});
    if (!report.value(QStringLiteral("claudePath")).toString().isEmpty())
        GTEST_SKIP() << "this machine has a claude of its own";
    const QString message = QStringLiteral("Claude Code wasn't found on this computer.");
    EXPECT_EQ(m_exitCode, 1);
    EXPECT_EQ(failures(report), QStringList {QStringLiteral("witness: ") + message});
    EXPECT_EQ(report.value(QStringLiteral("witness"))
                  .toObject()
                  .value(QStringLiteral("error"))
                  .toString(),
        message);
}

TEST_F(SelfTestCommandTest, WithClaudeReportsTheWitnessAndRemembersTheRun)
{
    installFakeClaude(QStringLiteral("answer"));
    const QJsonObject report = run({QStringLiteral("--with-claude")});
    EXPECT_EQ(m_exitCode, 0);
    EXPECT_TRUE(failures(report).isEmpty());
    EXPECT_EQ(report.value(QStringLiteral("claudePath")).toString(),
        home() + QStringLiteral("/.local/bin/claude"));
    const QJsonObject witness = report.value(QStringLiteral("witness")).toObject();
    EXPECT_EQ(witness.value(QStringLiteral("model")).toString(), QStringLiteral("claude-sonnet-5"));
    EXPECT_EQ(witness.value(QStringLiteral("verdict")).toString(), QStringLiteral("aligned"));
    EXPECT_DOUBLE_EQ(witness.value(QStringLiteral("costUSD")).toDouble(), 0.0123);
    EXPECT_GT(witness.value(QStringLiteral("seconds")).toDouble(), 0.0);
    EXPECT_TRUE(settingsFile().contains(QStringLiteral("lastSelfTest=claude-sonnet-5 · ").toUtf8()))
        << settingsFile().constData();
}

TEST_F(SelfTestCommandTest, TheChosenModelReachesTheJudgeAndTheReport)
{
    writeSettings("witnessModel=economy\ncadenceMinutes=0\n");
    installFakeClaude(QStringLiteral("answer-no-usage"));
    const QJsonObject report = run({QStringLiteral("--with-claude")});
    EXPECT_EQ(
        report.value(QStringLiteral("prefs")).toObject().value(QStringLiteral("model")).toString(),
        QStringLiteral("economy"));
    EXPECT_EQ(
        report.value(QStringLiteral("prefs")).toObject().value(QStringLiteral("cadence")).toInt(),
        1);
    EXPECT_EQ(report.value(QStringLiteral("witness"))
                  .toObject()
                  .value(QStringLiteral("model"))
                  .toString(),
        QStringLiteral("claude-haiku-4-5"));
    const QStringList args = m_fake.arguments();
    EXPECT_EQ(args.value(args.indexOf(QStringLiteral("--model")) + 1),
        QStringLiteral("claude-haiku-4-5"));
}

TEST_F(SelfTestCommandTest, AFailingWitnessFailsTheRun)
{
    installFakeClaude(QStringLiteral("error-login"));
    const QJsonObject report = run({QStringLiteral("--with-claude")});
    EXPECT_EQ(m_exitCode, 1);
    EXPECT_EQ(failures(report),
        QStringList {QStringLiteral(
            "witness: Claude Code isn't signed in: Not logged in · Please run /login")});
    EXPECT_FALSE(settingsFile().contains("lastSelfTest"));
}

TEST_F(SelfTestCommandTest, WithCaptureReportsTheFrameOrWhyItWasSkipped)
{
    const QJsonObject report = run({QStringLiteral("--with-capture")});
    const QJsonObject capture = report.value(QStringLiteral("capture")).toObject();
    ASSERT_FALSE(capture.isEmpty()) << m_stdout.constData();
    EXPECT_TRUE(capture.contains(QStringLiteral("caption")));
    EXPECT_TRUE(capture.contains(QStringLiteral("skipped")));
    EXPECT_EQ(m_exitCode, failures(report).isEmpty() ? 0 : 1);
}

} // namespace

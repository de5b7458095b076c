// solitask --dry-run end to end: the real binary, sample frames, the fake judge.
#include "SolitaskCore/InstanceLock.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct DryRunResult
{
    int exitCode = -1;
    QJsonObject report;
    QString errors;
};

/// Runs the dry run with its own store (or `root`), settings and home folder.
DryRunResult dryRun(const QString &claudeOverride, const QString &root = {})
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("SOLITASK_ROOT"),
        root.isEmpty() ? home.filePath(QStringLiteral("root")) : root);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QSettings settings(
        home.filePath(QStringLiteral("config/Solitask/Solitask.conf")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("claudePathOverride"), claudeOverride);
    settings.sync();
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SOLITASK_BINARY), {QStringLiteral("--dry-run")});
    process.waitForFinished(120000);
    DryRunResult run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.report = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST(DryRun, WithTheFakeJudgeTheHourIsJudgedAndTheSolitaskDone)
{
    const DryRunResult run
        = dryRun(QDir(TestSupport::fixturesDir()).filePath(QStringLiteral("claude")));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.report.value(QStringLiteral("hourStatus")).toString(), QStringLiteral("judged"));
    EXPECT_EQ(run.report.value(QStringLiteral("outcome")).toString(), QStringLiteral("done"));
    EXPECT_EQ(run.report.value(QStringLiteral("thing")).toString(),
        QStringLiteral("Finish the pricing page"));
    EXPECT_TRUE(run.report.value(QStringLiteral("ok")).toBool());
    EXPECT_GE(run.report.value(QStringLiteral("usableFrames")).toInt(), 3);
    EXPECT_EQ(run.report.keys().size(), 17);
}

TEST(DryRun, WithoutClaudeTheHourIsUnwitnessedAndTheRunStillSucceeds)
{
    if (!QStandardPaths::findExecutable(QStringLiteral("claude")).isEmpty())
        GTEST_SKIP() << "a real claude is installed on this machine";
    const DryRunResult run = dryRun(QStringLiteral("/nonexistent/claude"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.report.value(QStringLiteral("hourStatus")).toString(), QStringLiteral("unwitnessed"));
    EXPECT_EQ(run.report.value(QStringLiteral("outcome")).toString(), QStringLiteral("done"));
    EXPECT_EQ(run.report.value(QStringLiteral("stripDot")).toString(), QStringLiteral("gray"));
}

TEST(DryRun, AnUnusableOrOwnedRootStopsItWithTheReason)
{
    const QString claude = QDir(TestSupport::fixturesDir()).filePath(QStringLiteral("claude"));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("a-file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const DryRunResult onFile = dryRun(claude, file.fileName());
    EXPECT_EQ(onFile.exitCode, 1);
    EXPECT_TRUE(onFile.errors.contains(QStringLiteral("cannot use the data folder ") + file.fileName()))
        << qPrintable(onFile.errors);

    const QString owned = dir.filePath(QStringLiteral("owned"));
    ASSERT_TRUE(QDir().mkpath(owned));
    InstanceLock app(owned);
    ASSERT_EQ(app.acquire(), InstanceLock::State::owned);
    const DryRunResult beside = dryRun(claude, owned);
    EXPECT_EQ(beside.exitCode, 1);
    EXPECT_TRUE(beside.errors.contains(QStringLiteral("another Solitask owns"))) << qPrintable(beside.errors);
    EXPECT_FALSE(QDir(owned + QStringLiteral("/days")).exists()) << "nothing written beside the owner";
}

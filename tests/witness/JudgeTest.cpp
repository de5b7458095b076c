#include "Solitask/witness/Judge.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/witness/SampleFrames.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/JudgeProtocol.h"
#include "SolitaskCore/StoredTexts.h"
#include "fakes/FakeClaude.h"
#include "fakes/TestPrefs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <ostream>

std::ostream &operator<<(std::ostream &out, const JudgeFailure &failure)
{
    return out << "JudgeFailure(" << int(failure.kind) << ", " << qPrintable(failure.payload)
               << ")";
}

namespace {

const QString hourModel = QStringLiteral("claude-sonnet-5");

class JudgeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Diag::setRoot(m_dir.filePath(QStringLiteral("root")));
        Prefs::setValue(Prefs::Key::claudePathOverride, FakeClaude::path());
        qputenv("FAKE_SHELL_MODE", "none");
        m_judge = makeJudge();
    }

    std::unique_ptr<Judge> makeJudge(
        double limitSeconds = 120, qint64 outputLimit = 32LL * 1024 * 1024)
    {
        JudgeOptions options;
        options.locator.setHome(home());
        options.locator.setLoginShell(FakeClaude::loginShell());
        options.workingDirectory = workDir();
        options.timeLimitSeconds = limitSeconds;
        options.outputLimit = outputLimit;
        return std::make_unique<Judge>(m_scheduler, options);
    }

    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString workDir() const { return m_dir.filePath(QStringLiteral("work")); }

    static QByteArray smallMessage()
    {
        return JudgeProtocol::ndjsonMessage(QStringLiteral("Declaration: \"x\""), {});
    }

    JudgeAnswer execute(const QString &mode, const QString &model = hourModel,
        const QByteArray &input = smallMessage())
    {
        m_fake.setMode(mode);
        int calls = 0;
        JudgeAnswer answer;
        m_judge->execute(input, model, QStringLiteral("hour"), [&](const JudgeAnswer &a) {
            answer = a;
            ++calls;
        });
        EXPECT_EQ(calls, 0) << "completions never arrive before execute returns";
        EXPECT_TRUE(TestWait::until([&] { return calls > 0; }));
        TestWait::spin(0.05);
        EXPECT_EQ(calls, 1);
        return answer;
    }

    static JudgeFailure failureOf(const JudgeAnswer &answer)
    {
        EXPECT_TRUE(std::holds_alternative<JudgeFailure>(answer));
        return std::holds_alternative<JudgeFailure>(answer) ? std::get<JudgeFailure>(answer)
                                                            : JudgeFailure::failed({});
    }

    static JudgeOutcome outcomeOf(const JudgeAnswer &answer)
    {
        if (const auto *failure = std::get_if<JudgeFailure>(&answer))
            ADD_FAILURE() << "unexpected failure: " << qPrintable(failure->message());
        return std::holds_alternative<JudgeOutcome>(answer) ? std::get<JudgeOutcome>(answer)
                                                            : JudgeOutcome {};
    }

    QString log() const
    {
        Diag::flush();
        QFile file(Diag::logPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TestPrefs m_prefs;
    FakeClaude m_fake;
    QTemporaryDir m_dir;
    QtScheduler m_scheduler;
    std::unique_ptr<Judge> m_judge;
};

// Every row of the failure table, with the log line that goes with it and the
// number of runs: a bad shape is tried once more.
TEST_F(JudgeTest, FailuresAreAnsweredAndLogged)
{
    const QString noResult = QStringLiteral("no structured result");
    const struct
    {
        const char *mode;
        JudgeFailure expected;
        const char *logLine;
        int runs;
    } rows[] = {
        {"signed-out",
            JudgeFailure::notLoggedIn(QStringLiteral("Invalid API key · Please run /login")),
            "judge hour: no result line (exit 1) stderr=Invalid API key · Please run "
            "/login stdout=\n",
            1},
        {"exit-nonzero", JudgeFailure::failed(QStringLiteral("something broke")),
            "judge hour: no result line (exit 3) stderr=something broke stdout=", 1},
        {"exit-silent", JudgeFailure::failed(QStringLiteral("claude exited 4")),
            "no result line (exit 4) stderr= stdout=", 1},
        {"exit-garbled", JudgeFailure::failed(QStringLiteral("claude exited 5")),
            "no result line (exit 5) stderr= stdout=", 1},
        {"crash", JudgeFailure::failed(QStringLiteral("claude exited on signal 9")),
            "no result line (exit on signal 9)", 1},
        {"error-login",
            JudgeFailure::notLoggedIn(QStringLiteral("Not logged in · Please run /login")),
            "judge hour: is_error Not logged in · Please run /login", 1},
        {"error-other", JudgeFailure::failed(QStringLiteral("Overloaded, try again later")),
            "judge hour: is_error Overloaded, try again later", 1},
        {"error-limits", JudgeFailure::failed(QStringLiteral("Reached maximum budget ($0.40)")),
            "judge hour: is_error Reached maximum budget ($0.40)", 1},
        {"empty", JudgeFailure::badOutput(noResult), "judge hour: retrying once after empty result",
            2},
        {"no-output", JudgeFailure::badOutput(noResult),
            "no result line (exit 0) stderr= stdout=", 2},
        {"garbage", JudgeFailure::badOutput(noResult),
            "stderr=garbage on stderr stdout=not json at all", 2},
        {"non-utf8", JudgeFailure::badOutput(noResult), "no result line (exit 0)", 2},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.mode);
        const int runs = m_fake.runs();
        EXPECT_EQ(failureOf(execute(QString::fromLatin1(row.mode))), row.expected);
        EXPECT_TRUE(log().contains(QString::fromUtf8(row.logLine))) << qPrintable(log());
        EXPECT_EQ(m_fake.runs() - runs, row.runs);
    }
}

TEST_F(JudgeTest, AnAnswerBecomesAnOutcomeWithTheBusiestModel)
{
    const JudgeOutcome outcome = outcomeOf(execute(QStringLiteral("answer")));
    EXPECT_EQ(outcome.result.verdict, Verdict::aligned);
    EXPECT_EQ(outcome.result.frames.size(), 6);
    EXPECT_EQ(outcome.model, QStringLiteral("claude-sonnet-5"));
    EXPECT_EQ(outcome.costUSD, 0.0123);
    EXPECT_EQ(outcome.durationMs, 4321);
    EXPECT_GT(outcome.seconds, 0.0);
    EXPECT_LT(outcome.seconds, 30.0);
    const QRegularExpression line(QStringLiteral(
        R"(judge hour: aligned in \d+\.\d s, cost 0\.0123, model claude-sonnet-5 \(used: claude-haiku-4-5,claude-sonnet-5\))"));
    EXPECT_TRUE(line.match(log()).hasMatch()) << qPrintable(log());
}

TEST_F(JudgeTest, AnswersInProseSeveralLinesOrWithExitOneStillCount)
{
    for (const char *mode : {"prose", "several", "answer-exit-1", "flood"}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(outcomeOf(execute(QString::fromLatin1(mode))).result.verdict, Verdict::aligned);
    }
}

// The budget is written with a decimal point whatever the locale.
TEST_F(JudgeTest, PassesTheArgumentsAndTheMessageLineAndRunsInTheWorkFolder)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    Prefs::setValue(Prefs::Key::budgetUSD, 0.25);
    const QByteArray input = SampleFrames::selfTestMessage(QDateTime::currentDateTimeUtc());
    ASSERT_GT(input.size(), 64 * 1024); // beyond what a pipe holds
    outcomeOf(execute(QStringLiteral("answer"), hourModel, input));
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
    const QStringList args = m_fake.arguments();
    EXPECT_EQ(args, JudgeProtocol::arguments(hourModel, QStringLiteral("claude-haiku-4-5"), 0.25));
    EXPECT_EQ(
        args.value(args.indexOf(QStringLiteral("--max-budget-usd")) + 1), QStringLiteral("0.25"));
    EXPECT_EQ(m_fake.input(), input);
    EXPECT_EQ(QDir(m_fake.workingDirectory()).canonicalPath(), QDir(workDir()).canonicalPath());
    // A judge that closes its input early still answers.
    EXPECT_EQ(outcomeOf(execute(QStringLiteral("close-input"), hourModel, input)).result.verdict,
        Verdict::aligned);
}

TEST_F(JudgeTest, ModelsWithoutUsageReportTheRequestedModelOrTheCliDefault)
{
    EXPECT_EQ(outcomeOf(execute(QStringLiteral("answer-no-usage"), QString())).model,
        QStringLiteral("CLI default"));
    EXPECT_EQ(
        outcomeOf(execute(QStringLiteral("answer-no-usage"), QStringLiteral("claude-haiku-4-5")))
            .model,
        QStringLiteral("claude-haiku-4-5"));
}

TEST_F(JudgeTest, EnvironmentDropsClaudeSessionVariablesAndFrontsThePath)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("CLAUDECODE", "1");
    qputenv("CLAUDE_PID", "77");
    qputenv("CLAUDE_EFFORT", "high");
    qputenv("CLAUDE_CODE_ENTRYPOINT", "cli");
    qputenv("CLAUDE_KEEP_ME", "yes");
    outcomeOf(execute(QStringLiteral("answer")));
    const auto env = m_fake.environment();
    for (const char *gone : {"CLAUDECODE", "CLAUDE_PID", "CLAUDE_EFFORT", "CLAUDE_CODE_ENTRYPOINT"})
        EXPECT_FALSE(env.contains(QString::fromLatin1(gone))) << gone;
    EXPECT_EQ(env.value(QStringLiteral("CLAUDE_KEEP_ME")), QStringLiteral("yes"));
    const QString fixtures = QFileInfo(FakeClaude::path()).absolutePath();
    EXPECT_EQ(env.value(QStringLiteral("PATH")),
        fixtures + u':' + home() + QStringLiteral("/.local/bin:/opt/homebrew/bin:/usr/local/bin:")
            + QString::fromLocal8Bit(path));

    qunsetenv("PATH");
    outcomeOf(execute(QStringLiteral("answer")));
    qputenv("PATH", path);
    EXPECT_EQ(m_fake.environment().value(QStringLiteral("PATH")),
        fixtures + u':' + home()
            + QStringLiteral("/.local/bin:/opt/homebrew/bin:/usr/local/bin:/usr/bin:/bin"));
    for (const char *name :
        {"CLAUDECODE", "CLAUDE_PID", "CLAUDE_EFFORT", "CLAUDE_CODE_ENTRYPOINT", "CLAUDE_KEEP_ME"})
        qunsetenv(name);
}

TEST_F(JudgeTest, AnEmptyAnswerIsRetriedExactlyOnce)
{
    EXPECT_EQ(
        outcomeOf(execute(QStringLiteral("empty-then-answer"))).result.verdict, Verdict::aligned);
    EXPECT_EQ(m_fake.runs(), 2);
    EXPECT_EQ(log().count(QStringLiteral("retrying once after empty result")), 1);
    EXPECT_FALSE(m_judge->inFlight());
}

TEST_F(JudgeTest, ASecondJudgementWhileOneRunsIsAnsweredBusy)
{
    m_fake.setMode(QStringLiteral("answer"));
    std::optional<JudgeAnswer> first, second;
    m_judge->execute(smallMessage(), hourModel, QStringLiteral("hour"),
        [&](const JudgeAnswer &a) { first = a; });
    EXPECT_TRUE(m_judge->inFlight());
    m_judge->execute(smallMessage(), hourModel, QStringLiteral("hour"),
        [&](const JudgeAnswer &a) { second = a; });
    ASSERT_TRUE(TestWait::until([&] { return first && second; }));
    EXPECT_EQ(failureOf(*second), JudgeFailure::failed(Judge::busyMessage));
    outcomeOf(*first);
    EXPECT_EQ(m_fake.runs(), 1);
    EXPECT_FALSE(m_judge->inFlight());
}

TEST_F(JudgeTest, AHangingChildIsStoppedAtTheLimitAndLeavesNothingBehind)
{
    m_judge = makeJudge(1);
    for (const char *mode : {"hang", "hang-ignoring-term"}) {
        SCOPED_TRACE(mode);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(failureOf(execute(QString::fromLatin1(mode))), JudgeFailure::timeout());
        EXPECT_GE(clock.elapsed(), 1000);
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_FALSE(TestWait::processExists(m_fake.pid())) << "no zombie is left";
    }
    EXPECT_FALSE(TestWait::processRunning(m_fake.grandchildPid()));
    EXPECT_EQ(log().count(QStringLiteral("judge hour: timeout after 1 s")), 2);
}

// Processes of a group that still run (zombies do not count).
QList<qint64> groupMembers(qint64 group)
{
    QList<qint64> members;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid pgrp …; comm may hold spaces, so split after its ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[0] != "Z" && fields[2].toLongLong() == group)
            members.append(entry.toLongLong());
    }
    return members;
}

TEST_F(JudgeTest, ACompleteResultWinsAndNothingOfTheGroupRemains)
{
    for (const char *mode : {"leave-helper", "answer-then-hang"}) {
        SCOPED_TRACE(mode);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(outcomeOf(execute(QString::fromLatin1(mode))).result.verdict, Verdict::aligned);
        EXPECT_LT(clock.elapsed(), 15000) << "well before the 120 s limit";
        EXPECT_TRUE(TestWait::until([&] { return groupMembers(m_fake.pid()).isEmpty(); }, 5))
            << groupMembers(m_fake.pid()).size() << " left";
    }
    EXPECT_FALSE(TestWait::processRunning(m_fake.grandchildPid()));
    EXPECT_EQ(log().count(QStringLiteral("result in but the command line did not end")), 1);
}

TEST_F(JudgeTest, A32MegabyteErrorReachesThePersonAsAParagraph)
{
    qputenv("FAKE_CLAUDE_STDERR_BYTES", "33000000");
    const JudgeFailure failure = failureOf(execute(QStringLiteral("stderr-flood")));
    qunsetenv("FAKE_CLAUDE_STDERR_BYTES");
    EXPECT_EQ(failure.kind, JudgeFailure::failed({}).kind);
    EXPECT_EQ(failure.payload.size(), StoredTexts::errorChars);
}

TEST_F(JudgeTest, OutputBeyondTheLimitIsABadShapeNotAnOutOfMemory)
{
    m_judge = makeJudge(120, 1024 * 1024);
    EXPECT_EQ(failureOf(execute(QStringLiteral("flood"))),
        JudgeFailure::badOutput(QStringLiteral("output too large")));
    EXPECT_FALSE(TestWait::processExists(m_fake.pid()));
}

// A file that is not executable, or whose interpreter is missing, is no Claude Code.
TEST_F(JudgeTest, AClaudeThatCannotStartIsNotFound)
{
    QFile claude(m_dir.filePath(QStringLiteral("claude")));
    Prefs::setValue(Prefs::Key::claudePathOverride, claude.fileName());
    for (const bool executable : {false, true}) {
        ASSERT_TRUE(claude.open(QIODevice::WriteOnly));
        claude.write(executable ? "#!/nonexistent/interpreter\n" : "#!/bin/sh\n");
        claude.setPermissions(executable ? claude.permissions() | QFileDevice::ExeOwner
                                         : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        claude.close();
        EXPECT_EQ(failureOf(execute(QStringLiteral("answer"))), JudgeFailure::cliNotFound());
    }
    EXPECT_EQ(m_fake.runs(), 0);
    EXPECT_EQ(log().count(QStringLiteral("judge hour: launch failed ")), 1);
}

TEST_F(JudgeTest, AnUnusableWorkFolderIsNamedNotTakenForAMissingClaude)
{
    QFile(workDir()).open(QIODevice::WriteOnly); // a file where the folder should be
    const JudgeFailure failure = failureOf(execute(QStringLiteral("answer")));
    EXPECT_EQ(failure.kind, JudgeFailure::failed({}).kind);
    EXPECT_TRUE(failure.message().contains(workDir())) << qPrintable(failure.message());
    EXPECT_EQ(m_fake.runs(), 0);
}

TEST_F(JudgeTest, DestroyingTheJudgeStopsItsChild)
{
    m_fake.setMode(QStringLiteral("hang"));
    m_judge->execute(smallMessage(), hourModel, QStringLiteral("hour"),
        [](const JudgeAnswer &) { ADD_FAILURE() << "an abandoned run answers nothing"; });
    ASSERT_TRUE(TestWait::until([&] { return m_fake.pid() > 0; }));
    const qint64 pid = m_fake.pid();
    m_judge.reset();
    EXPECT_FALSE(TestWait::processExists(pid));
    TestWait::spin(0.1);
}

// What a self-test reports and remembers is checked through the command that runs it.
TEST_F(JudgeTest, SelfTestWithoutClaudeFailsWithNotFoundAndRemembersNothing)
{
    Prefs::remove(Prefs::Key::claudePathOverride);
    std::optional<JudgeSelfTestAnswer> answer;
    m_judge->selfTest([&](const JudgeSelfTestAnswer &a) { answer = a; });
    EXPECT_FALSE(answer.has_value());
    ASSERT_TRUE(TestWait::until([&] { return answer.has_value(); }));
    ASSERT_TRUE(std::holds_alternative<JudgeFailure>(*answer));
    EXPECT_EQ(std::get<JudgeFailure>(*answer), JudgeFailure::cliNotFound());
    EXPECT_TRUE(Prefs::text(Prefs::Key::lastSelfTest).isEmpty());
}

} // namespace

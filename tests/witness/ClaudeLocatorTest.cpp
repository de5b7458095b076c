#include "Solitask/witness/ClaudeLocator.h"
#include "Solitask/session/Prefs.h"
#include "fakes/FakeClaude.h"
#include "fakes/TestPrefs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ClaudeLocatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_locator.setHome(m_home.path());
        m_locator.setLoginShell(FakeClaude::loginShell());
        qputenv("FAKE_SHELL_MODE", "none");
        qputenv("FAKE_SHELL_RECORD", QFile::encodeName(m_record.path()));
        qunsetenv("NPM_CONFIG_PREFIX");
        qunsetenv("npm_config_prefix");
    }
    void TearDown() override
    {
        for (const char *name : {"FAKE_SHELL_MODE", "FAKE_SHELL_RECORD", "FAKE_SHELL_ANSWER"})
            qunsetenv(name);
    }

    QString makeFile(const QString &relative, bool executable = true)
    {
        const QString path = QDir(m_home.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    void shellSays(const char *mode, const QString &answer)
    {
        qputenv("FAKE_SHELL_MODE", mode);
        qputenv("FAKE_SHELL_ANSWER", answer.toUtf8());
    }

    TestPrefs m_prefs;
    QTemporaryDir m_home;
    QTemporaryDir m_record;
    ClaudeLocator m_locator;
};

TEST_F(ClaudeLocatorTest, AnExecutableOverrideComesFirst)
{
    const QString override = makeFile(QStringLiteral("tools/my-claude"));
    const QString local = makeFile(QStringLiteral(".claude/local/claude"));
    Prefs::setValue(Prefs::Key::claudePathOverride, override);
    EXPECT_EQ(m_locator.locate(), override);
    QFile::setPermissions(override, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(m_locator.locate(), local) << "one that is not executable is passed over";
}

TEST_F(ClaudeLocatorTest, StandardLocationsAreTriedInOrder)
{
    const QString npmGlobal = makeFile(QStringLiteral(".npm-global/bin/claude"));
    EXPECT_EQ(m_locator.locate(), npmGlobal);
    const QString local = makeFile(QStringLiteral(".claude/local/claude"));
    EXPECT_EQ(m_locator.locate(), local);
    const QString localBin = makeFile(QStringLiteral(".local/bin/claude"));
    EXPECT_EQ(m_locator.locate(), localBin);
}

TEST_F(ClaudeLocatorTest, TheNpmPrefixOfNpmrcIsHonoured)
{
    QFile npmrc(QDir(m_home.path()).filePath(QStringLiteral(".npmrc")));
    ASSERT_TRUE(npmrc.open(QIODevice::WriteOnly));
    npmrc.write("registry=https://example.invalid/\nprefix = ~/.npm-packages\n");
    npmrc.close();
    const QString installed = makeFile(QStringLiteral(".npm-packages/bin/claude"));
    EXPECT_EQ(m_locator.locate(), installed);
}

TEST_F(ClaudeLocatorTest, TheProcessPathIsAskedBeforeTheLoginShell)
{
    const QString onPath = makeFile(QStringLiteral("tools/claude"));
    shellSays("greeting", makeFile(QStringLiteral("nvm/bin/claude")));
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(QFileInfo(onPath).absolutePath()));
    EXPECT_EQ(m_locator.locate(), onPath);
    qputenv("PATH", savedPath);
    EXPECT_FALSE(QFile::exists(QDir(m_record.path()).filePath(QStringLiteral("args"))))
        << "no login shell was started";
}

TEST_F(ClaudeLocatorTest, TheLoginShellAnswersWhenNothingElseDoes)
{
    const QString elsewhere = makeFile(QStringLiteral("nvm/bin/claude"));
    shellSays("greeting", elsewhere);
    EXPECT_EQ(m_locator.locate(), elsewhere);
    QFile args(QDir(m_record.path()).filePath(QStringLiteral("args")));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll(), "-lc\nwhence -p claude 2>/dev/null || command -v claude\n");
}

TEST_F(ClaudeLocatorTest, ShellAnswersThatAreNoUsableExecutableGiveNone)
{
    shellSays("answer", makeFile(QStringLiteral("nvm/bin/claude"), false));
    EXPECT_FALSE(m_locator.locate().has_value());
    shellSays("fail", makeFile(QStringLiteral("nvm/bin/other")));
    EXPECT_FALSE(m_locator.locate().has_value());
    shellSays("answer", QStringLiteral("claude: aliased to npx claude"));
    EXPECT_FALSE(m_locator.locate().has_value());
    m_locator.setLoginShell(QStringLiteral("/nonexistent/shell"));
    EXPECT_FALSE(m_locator.locate().has_value());
}

TEST_F(ClaudeLocatorTest, AHangingShellIsStoppedAtItsLimit)
{
    shellSays("hang", QString());
    m_locator.setShellTimeLimit(0.5);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(m_locator.locate().has_value());
    EXPECT_LT(clock.elapsed(), 3000);
    QFile sleeper(QDir(m_record.path()).filePath(QStringLiteral("sleeper")));
    ASSERT_TRUE(sleeper.open(QIODevice::ReadOnly));
    const qint64 pid = sleeper.readAll().trimmed().toLongLong();
    EXPECT_TRUE(TestWait::until([pid] { return !TestWait::processRunning(pid); }, 2))
        << "what the shell started is stopped too";
}

} // namespace
